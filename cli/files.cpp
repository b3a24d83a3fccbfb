#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace tagora::cli {
namespace {

// The temporary file being written, for the signal handler.
char g_temporaryPath[PATH_MAX + 1];
volatile std::sig_atomic_t g_hasTemporary = 0;

void removeTemporaryAndStop(int signal)
{
    if (g_hasTemporary)
        unlink(g_temporaryPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
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
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return true;
}

ssize_t InputFile::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool InputFile::rewind()
{
    return lseek(m_fd, m_start, SEEK_SET) == m_start;
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::openStandardOutput()
{
    m_fd = STDOUT_FILENO;
    m_name = "standard output";
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
}

}  // namespace tagora::cli
