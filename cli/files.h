// Reading the input and writing the output of tagora-convert with plain
// system calls, in large blocks, without any buffering of their own.
// (Reading into a buffer that stays in the cache took a quarter less time
// than mapping windows of the file into memory.)
#pragma once

#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagora::cli {

// Bytes of the input read at a time (the conversion cuts them into pieces
// between characters, so that a character or a CR LF pair is cut once in
// so many bytes at most).
inline constexpr std::size_t kInputBlockSize = std::size_t{256} << 10;

// The most threads that convert files at once (-j).
inline constexpr std::size_t kMostJobs = 64;

// The files of the calling thread, for the signal handlers: each thread
// that converts files at the same time as others takes a slot of its own,
// below kMostJobs (the main thread has 0).
void useThreadSlot(std::size_t slot);

// The process's umask.
mode_t processUmask();

// A named file, or standard input for "-".
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // False with errno set when the file cannot be opened.
    bool open(const std::string& file);
    // The next block of the input: what one read into the buffer gave (or
    // what head() read and left). Empty at the end;
    // std::nullopt with errno set on failure. The block stays valid until
    // the next call.
    std::optional<std::string_view> nextBlock(char* buffer, std::size_t size);
    // A regular file can be read twice: back to where reading began.
    bool isRegular() const { return m_regular; }
    bool rewind();
    // The first bytes of the input, at most size of them, without reading
    // them away; std::nullopt with errno set on failure.
    std::optional<std::string_view> head(std::size_t size);
    // Reading begins that many bytes further, also after rewind() (no more
    // than head() gave).
    void skipStart(std::size_t size);
    // Copies the rest of the input into an unnamed temporary file (in
    // $TMPDIR, else /tmp) and reads that from now on, so that a pipe can
    // be read twice. False with errno set.
    bool spool();
    bool isStandardInput() const { return !m_owned; }
    // "standard input", or the file's name.
    const std::string& name() const { return m_name; }
    // What fstat told when the file was opened.
    const struct stat& status() const { return m_status; }
    // A regular file whose size or modification time differs from when it
    // was opened.
    bool changed() const;

private:
    std::optional<std::string_view> readInto(char* buffer, std::size_t size);
    bool readFully(char* buffer, std::size_t size, std::size_t& got);

    int m_fd = -1;
    bool m_owned = false;
    bool m_regular = false;
    off_t m_start = 0;
    off_t m_position = 0;  // of the next block, in a regular file
    std::string m_name;
    struct stat m_status {};
    std::string m_head;  // read from a pipe by head(), not yet taken
    std::size_t m_headTaken = 0;
};

// Standard output, or a file that appears whole or not at all: written
// beside its place under a temporary name and renamed over it once
// complete. A target that exists and is not a regular file (a device such
// as /dev/null, a pipe) is written directly. A symbolic link is followed
// to the file it names, which must exist (a link to nothing or a loop is
// an error, the link stays); a file the shell's > could not write (read
// only) is refused, not replaced.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    void openStandardOutput();
    // False with error() set when the file cannot be created.
    bool openReplacing(const std::string& target);
    // True when written bytes reach their place at once, so that a failure
    // later leaves them there.
    bool isDirect() const { return m_temporary.empty(); }
    // A device such as /dev/null takes a write at once: nothing is gained
    // by writing while the next part is produced.
    bool isDevice() const { return m_device; }
    // The output is the regular file the input is: writing it would
    // destroy the input, or read its own output back.
    bool isSameFileAs(const InputFile& input) const;

    bool write(const char* bytes, std::size_t size);
    // Puts a complete file in place; for a direct output, only checks.
    bool commit();
    // Removes the temporary file; nothing changes at the target.
    void discard();

    int error() const { return m_error; }
    // Why the output failed, for a message.
    std::string problem() const;
    bool isStandardOutput() const { return m_fd == STDOUT_FILENO && !m_owned; }
    const std::string& name() const { return m_name; }

private:
    bool fail();
    bool openDirect(const struct stat& status);
    bool resolveTarget(const std::string& target);

    int m_fd = -1;
    bool m_owned = false;
    bool m_device = false;
    bool m_brokenLink = false;  // a symbolic link to nothing, or a loop
    int m_error = 0;
    std::optional<struct stat> m_existing;  // the file replaced or written
    std::string m_name;
    std::string m_target;
    std::string m_temporary;
};

// A temporary file being written is removed by every signal that ends
// the program, which then ends by that signal as it would have; a signal
// ignored when the program started stays ignored. A closed pipe gives
// EPIPE and a file-size limit EFBIG instead of ending the program.
void installSignalHandlers();

// While it lives, the calling thread leaves the signals sent to the
// program to the main thread, which knows what to clean up, and so does a
// thread it starts meanwhile; a fault of a thread stays its own.
class SignalsLeftToMainThread {
public:
    SignalsLeftToMainThread();
    SignalsLeftToMainThread(const SignalsLeftToMainThread&) = delete;
    SignalsLeftToMainThread& operator=(const SignalsLeftToMainThread&) = delete;
    ~SignalsLeftToMainThread();

private:
    sigset_t m_before;
};

// Ends the program quietly, as the default action of SIGPIPE does: what
// cat and grep do when the rest of a pipeline stops reading.
[[noreturn]] void endByBrokenPipe();

}  // namespace tagora::cli
