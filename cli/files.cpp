#include "files.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tagora::cli {
namespace {

// What the signal handlers need to know of each thread that converts
// files: the temporary file it is writing.
struct ThreadFiles {
    char temporaryPath[PATH_MAX + 1];
    volatile std::sig_atomic_t hasTemporary;
};
ThreadFiles g_threads[kMostJobs];
thread_local std::size_t t_thread = 0;

// What each signal did before its handler was installed.
struct sigaction g_previousAction[NSIG];

void removeTemporaries()
{
    for (ThreadFiles& thread : g_threads) {
        if (thread.hasTemporary)
            unlink(thread.temporaryPath);
    }
}

// The signal then does what it did before, once this handler returns:
// its default action ends the program (with a core dump where it makes
// one).
void removeTemporaryAndStop(int signal)
{
    removeTemporaries();
    sigaction(signal, &g_previousAction[signal], nullptr);
    raise(signal);
}

void rememberTemporary(const std::string& path)
{
    ThreadFiles& thread = g_threads[t_thread];
    thread.hasTemporary = 0;
    if (path.size() > PATH_MAX)
        return;
    std::memcpy(thread.temporaryPath, path.c_str(), path.size() + 1);
    thread.hasTemporary = 1;
}

void forgetTemporary()
{
    g_threads[t_thread].hasTemporary = 0;
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
    return 0666 & ~processUmask();
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A file of no name in TMPDIR (else /tmp), or one whose name is removed at
// once where the file system cannot make such files.
int unnamedTemporaryFile()
{
    const char* const variable = std::getenv("TMPDIR");
    const std::string directory = variable && *variable ? variable : "/tmp";
    const int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR))
        return fd;
    std::string pattern = directory + "/.tagora-convert.XXXXXX";
    const int named = mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0)
        unlink(pattern.c_str());
    return named;
}

}  // namespace

void useThreadSlot(std::size_t slot)
{
    t_thread = slot;
}

// Read once, before any thread may create a file: reading it means
// setting it for a moment.
mode_t processUmask()
{
    static const mode_t mask = [] {
        const mode_t current = umask(0);
        umask(current);
        return current;
    }();
    return mask;
}

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
    if (fstat(m_fd, &m_status) != 0)
        return false;
    if (S_ISDIR(m_status.st_mode)) {
        errno = EISDIR;
        return false;
    }
    m_regular = S_ISREG(m_status.st_mode);
    if (m_regular) {
        m_start = lseek(m_fd, 0, SEEK_CUR);
        m_regular = m_start >= 0;
        m_position = m_start;
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return true;
}

// A regular file is read from where the last block ended, since head()
// and rewind() move about in it.
std::optional<std::string_view> InputFile::nextBlock(char* buffer, std::size_t size)
{
    if (m_headTaken < m_head.size()) {
        const std::string_view rest = std::string_view(m_head).substr(m_headTaken);
        m_headTaken = m_head.size();
        return rest;
    }
    if (!m_regular)
        return readInto(buffer, size);
    if (lseek(m_fd, m_position, SEEK_SET) != m_position)
        return std::nullopt;
    const auto block = readInto(buffer, size);
    if (block)
        m_position += static_cast<off_t>(block->size());
    return block;
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

bool InputFile::readFully(char* buffer, std::size_t size, std::size_t& got)
{
    for (got = 0; got < size;) {
        const std::optional<std::string_view> block = readInto(buffer + got, size - got);
        if (!block)
            return false;
        if (block->empty())
            break;
        got += block->size();
    }
    return true;
}

std::optional<std::string_view> InputFile::head(std::size_t size)
{
    if (m_regular) {
        m_head.resize(size);
        const ssize_t got = pread(m_fd, m_head.data(), size, m_start);
        if (got < 0)
            return std::nullopt;
        m_head.resize(static_cast<std::size_t>(got));
        m_headTaken = m_head.size();  // read again from the file itself
        return m_head;
    }
    if (m_head.size() < size) {
        const std::size_t had = m_head.size();
        m_head.resize(size);
        std::size_t got = 0;
        const bool read = readFully(m_head.data() + had, size - had, got);
        m_head.resize(had + got);
        if (!read)
            return std::nullopt;
    }
    return std::string_view(m_head).substr(0, size);
}

void InputFile::skipStart(std::size_t size)
{
    if (m_regular) {
        m_start += static_cast<off_t>(size);
        m_position = m_start;
        lseek(m_fd, m_position, SEEK_SET);
    } else {
        m_headTaken = std::min(size, m_head.size());
    }
}

// The copy has no name, so that nothing is left behind whatever ends the
// program.
bool InputFile::spool()
{
    const int copy = unnamedTemporaryFile();
    if (copy < 0)
        return false;
    char buffer[std::size_t{64} << 10];
    for (;;) {
        const std::optional<std::string_view> block = nextBlock(buffer, sizeof buffer);
        if (!block || (!block->empty() && !writeAll(copy, *block))) {
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
    m_head.clear();
    m_headTaken = 0;
    m_regular = true;
    m_start = 0;
    m_position = 0;
    return lseek(copy, 0, SEEK_SET) == 0;
}

bool InputFile::changed() const
{
    struct stat now {};
    return S_ISREG(m_status.st_mode) && fstat(m_fd, &now) == 0
           && (now.st_size != m_status.st_size || now.st_mtim.tv_sec != m_status.st_mtim.tv_sec
               || now.st_mtim.tv_nsec != m_status.st_mtim.tv_nsec);
}

bool InputFile::rewind()
{
    m_headTaken = m_head.size();
    m_position = m_start;
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
    struct stat status {};
    if (fstat(m_fd, &status) == 0) {
        m_device = S_ISCHR(status.st_mode);
        m_existing = status;
    }
}

bool OutputFile::openReplacing(const std::string& target)
{
    m_name = target;
    if (!resolveTarget(target))
        return false;
    struct stat status {};
    if (stat(m_target.c_str(), &status) == 0) {
        m_existing = status;
        if (!S_ISREG(status.st_mode))
            return openDirect(status);
        if (faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            return fail();
    }
    std::string pattern = directoryOf(m_target) + "/." + baseNameOf(m_target) + ".XXXXXX";
    // A signal that comes meanwhile waits until the handler knows the file.
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &before);
    m_fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd >= 0)
        rememberTemporary(pattern);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (m_fd < 0)
        return fail();
    m_owned = true;
    m_temporary = pattern;
    if (fchmod(m_fd, permissionsFor(m_existing ? &*m_existing : nullptr)) != 0)
        return fail();
    return true;
}

// A symbolic link is followed, so that the file it names is replaced and
// the link stays; a link to nothing or a loop fails.
bool OutputFile::resolveTarget(const std::string& target)
{
    m_target = target;
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return true;
    char* const resolved = realpath(target.c_str(), nullptr);
    if (!resolved) {
        m_brokenLink = true;
        return fail();
    }
    m_target = resolved;
    std::free(resolved);
    return true;
}

bool OutputFile::openDirect(const struct stat& status)
{
    m_fd = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    m_owned = m_fd >= 0;
    m_device = S_ISCHR(status.st_mode);
    return m_owned || fail();
}

bool OutputFile::isSameFileAs(const InputFile& input) const
{
    const struct stat& in = input.status();
    return m_existing && S_ISREG(m_existing->st_mode) && S_ISREG(in.st_mode)
           && m_existing->st_dev == in.st_dev && m_existing->st_ino == in.st_ino;
}

bool OutputFile::fail()
{
    m_error = errno;
    return false;
}

std::string OutputFile::problem() const
{
    const std::string reason = std::strerror(m_error);
    return m_brokenLink ? "it is a symbolic link to no file (" + reason + ")" : reason;
}

bool OutputFile::write(const char* bytes, std::size_t size)
{
    return writeAll(m_fd, std::string_view(bytes, size)) || fail();
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
    forgetTemporary();
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
        forgetTemporary();
    }
}

SignalsLeftToMainThread::SignalsLeftToMainThread()
{
    sigset_t all;
    sigfillset(&all);
    for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS})
        sigdelset(&all, fault);
    pthread_sigmask(SIG_BLOCK, &all, &m_before);
}

SignalsLeftToMainThread::~SignalsLeftToMainThread()
{
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}

void installSignalHandlers()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    // Every signal whose default action ends the program, but SIGKILL,
    // which cannot be caught, and the two above.
    std::vector<int> ending = {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGTRAP, SIGABRT,
                               SIGFPE,  SIGUSR1, SIGSEGV, SIGUSR2,   SIGALRM, SIGTERM,
                               SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR,
                               SIGSYS,  SIGBUS};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        ending.push_back(signal);
    for (const int signal : ending) {
        struct sigaction action {};
        sigemptyset(&action.sa_mask);
        action.sa_handler = removeTemporaryAndStop;
        action.sa_flags = SA_RESTART;
        if (sigaction(signal, nullptr, &g_previousAction[signal]) == 0
            && g_previousAction[signal].sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

void endByBrokenPipe()
{
    removeTemporaries();
    std::signal(SIGPIPE, SIG_DFL);
    raise(SIGPIPE);
    _exit(128 + SIGPIPE);  // if SIGPIPE is blocked
}

}  // namespace tagora::cli
