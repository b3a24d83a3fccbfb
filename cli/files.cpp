#include "files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tagora::cli {
namespace {

// The temporary file being written, for the signal handler.
char g_temporaryPath[PATH_MAX + 1];
volatile std::sig_atomic_t g_hasTemporary = 0;

// Bytes of a regular input file mapped at a time; a multiple of any page
// size.
constexpr std::size_t kWindowSize = std::size_t{4} << 20;

void removeTemporaryAndStop(int signal)
{
    if (g_hasTemporary)
        unlink(g_temporaryPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// A mapped page beyond the end of a file that shrank while it was read.
void removeTemporaryAndFail(int)
{
    if (g_hasTemporary)
        unlink(g_temporaryPath);
    static const char message[] = "tagora-convert: an input file shrank while it was read\n";
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(2);
}

void rememberTemporary(const std::string& path)
{
    g_hasTemporary = 0;
    if (path.size() > PATH_MAX)
        return;
    std::memcpy(g_temporaryPath, path.c_str(), path.size() + 1);
    g_hasTemporary = 1;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file's permissions: what the target has, or what the umask allows.
mode_t permissionsFor(const struct stat* existing)
{
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A symbolic link is followed, so that the file it names is replaced and
// the link stays.
std::string resolvedTarget(const std::string& target)
{
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return target;
    char* resolved = realpath(target.c_str(), nullptr);
    if (!resolved)
        return target;
    std::string path(resolved);
    std::free(resolved);
    return path;
}

}  // namespace

InputFile::~InputFile()
{
    unmapWindow();
    if (m_owned)
        close(m_fd);
}

bool InputFile::open(const std::string& file)
{
    m_name = file == "-" ? "standard input" : file;
    if (file == "-") {
        m_fd = STDIN_FILENO;
    } else {
        m_fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            return false;
        m_owned = true;
    }
    struct stat status {};
    if (fstat(m_fd, &status) != 0)
        return false;
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return false;
    }
    m_regular = S_ISREG(status.st_mode);
    if (m_regular) {
        m_start = lseek(m_fd, 0, SEEK_CUR);
        m_regular = m_start >= 0;
        m_position = m_start;
        m_mappableEnd = status.st_size;
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return true;
}

// Up to the size the file had when it was opened, windows of it are
// mapped; beyond, it is read (a file that grew, or one of /proc whose size
// says 0). The file offset follows, as if it had been read.
std::optional<std::string_view> InputFile::nextBlock(char* buffer, std::size_t size)
{
    unmapWindow();
    if (!m_regular)
        return readInto(buffer, size);
    if (m_position < m_mappableEnd) {
        if (const auto window = mapWindow())
            return window;
    }
    if (lseek(m_fd, m_position, SEEK_SET) != m_position)
        return std::nullopt;
    const auto block = readInto(buffer, size);
    if (block)
        m_position += static_cast<off_t>(block->size());
    return block;
}

// The window from the page boundary at or before the position; nullopt
// when the file cannot be mapped (it is then read instead).
std::optional<std::string_view> InputFile::mapWindow()
{
    const auto pageSize = static_cast<off_t>(sysconf(_SC_PAGESIZE));
    const off_t offset = m_position - m_position % pageSize;
    const auto size = static_cast<std::size_t>(std::min<off_t>(kWindowSize, m_mappableEnd - offset));
    void* const window = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, m_fd, offset);
    if (window == MAP_FAILED) {
        m_mappableEnd = m_position;
        return std::nullopt;
    }
    madvise(window, size, MADV_SEQUENTIAL);
    m_window = window;
    m_windowSize = size;
    const auto skipped = static_cast<std::size_t>(m_position - offset);
    m_position = offset + static_cast<off_t>(size);
    lseek(m_fd, m_position, SEEK_SET);
    return std::string_view(static_cast<const char*>(window) + skipped, size - skipped);
}

std::optional<std::string_view> InputFile::readInto(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0)
            return std::string_view(buffer, static_cast<std::size_t>(got));
        if (errno != EINTR)
            return std::nullopt;
    }
}

void InputFile::unmapWindow()
{
    if (m_window)
        munmap(m_window, m_windowSize);
    m_window = nullptr;
}

bool InputFile::rewind()
{
    unmapWindow();
    m_position = m_start;
    return lseek(m_fd, m_start, SEEK_SET) == m_start;
}

namespace {

// A file that no name leads to: it goes when it is closed.
int unnamedTemporaryFile()
{
    const char* directory = std::getenv("TMPDIR");
    if (!directory || *directory == '\0')
        directory = "/tmp";
    const int fd = ::open(directory, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EOPNOTSUPP)
        return fd;
    std::string pattern = std::string(directory) + "/.tagora-convert.XXXXXX";
    const int named = mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0)
        unlink(pattern.c_str());
    return named;
}

bool writeAll(int fd, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool InputFile::spool()
{
    const int copy = unnamedTemporaryFile();
    if (copy < 0)
        return false;
    constexpr std::size_t kBlock = std::size_t{1} << 16;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBlock);
    for (;;) {
        const auto block = readInto(buffer.get(), kBlock);
        if (!block || !writeAll(copy, block->data(), block->size())) {
            const int error = errno;
            close(copy);
            errno = error;
            return false;
        }
        if (block->empty())
            break;
    }
    if (m_owned)
        close(m_fd);
    m_fd = copy;
    m_owned = true;
    struct stat status {};
    if (fstat(m_fd, &status) != 0)
        return false;
    m_regular = true;
    m_start = m_position = 0;
    m_mappableEnd = status.st_size;
    return rewind();
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::openStandardOutput()
{
    m_fd = STDOUT_FILENO;
    m_name = "standard output";
    struct stat status {};
    m_device = fstat(m_fd, &status) == 0 && S_ISCHR(status.st_mode);
}

bool OutputFile::openReplacing(const std::string& target)
{
    m_name = target;
    m_target = resolvedTarget(target);
    struct stat status {};
    const bool exists = stat(m_target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        m_fd = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        m_owned = m_fd >= 0;
        m_device = S_ISCHR(status.st_mode);
        return m_owned || fail();
    }
    std::string pattern = directoryOf(m_target) + "/." + baseNameOf(m_target) + ".XXXXXX";
    m_fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return fail();
    m_owned = true;
    m_temporary = pattern;
    rememberTemporary(m_temporary);
    if (fchmod(m_fd, permissionsFor(exists ? &status : nullptr)) != 0)
        return fail();
    return true;
}

bool OutputFile::fail()
{
    m_error = errno;
    return false;
}

bool OutputFile::write(const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::commit()
{
    if (m_owned) {
        m_owned = false;
        if (close(m_fd) != 0)
            return fail();
    }
    if (m_temporary.empty())
        return true;
    if (rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return fail();
    m_temporary.clear();
    g_hasTemporary = 0;
    return true;
}

void OutputFile::discard()
{
    if (m_owned) {
        m_owned = false;
        close(m_fd);
    }
    if (!m_temporary.empty()) {
        unlink(m_temporary.c_str());
        m_temporary.clear();
        g_hasTemporary = 0;
    }
}

void installSignalHandlers()
{
    std::signal(SIGPIPE, SIG_IGN);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, removeTemporaryAndStop);
    std::signal(SIGBUS, removeTemporaryAndFail);
}

}  // namespace tagora::cli
