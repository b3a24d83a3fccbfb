// Reading the input and writing the output of tagora-convert with plain
// system calls, in large blocks, without any buffering of their own. A
// regular file is read through windows mapped into memory, so that its
// bytes are taken straight from the page cache without a copy.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagora::cli {

// A named file, or standard input for "-".
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // False with errno set when the file cannot be opened.
    bool open(const std::string& file);
    // The next block of the input: a window of a regular file mapped into
    // memory, or what one read into the buffer gave. Empty at the end;
    // std::nullopt with errno set on failure. The block stays valid until
    // the next call.
    std::optional<std::string_view> nextBlock(char* buffer, std::size_t size);
    // A regular file can be read twice: back to where reading began.
    bool isRegular() const { return m_regular; }
    bool rewind();
    // Copies the rest of the input into an unnamed temporary file (in
    // $TMPDIR, else /tmp) and reads that from now on, so that a pipe can
    // be read twice. False with errno set.
    bool spool();
    // "standard input", or the file's name.
    const std::string& name() const { return m_name; }

private:
    std::optional<std::string_view> mapWindow();
    std::optional<std::string_view> readInto(char* buffer, std::size_t size);
    void unmapWindow();

    int m_fd = -1;
    bool m_owned = false;
    bool m_regular = false;
    off_t m_start = 0;
    off_t m_position = 0;     // of the next block, in a regular file
    off_t m_mappableEnd = 0;  // the file's size when it was opened
    void* m_window = nullptr;
    std::size_t m_windowSize = 0;
    std::string m_name;
};

// Standard output, or a file that appears whole or not at all: written
// beside its place under a temporary name and renamed over it once
// complete. A target that exists and is not a regular file (a device such
// as /dev/null, a pipe) is written directly.
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

    bool write(const char* bytes, std::size_t size);
    // Puts a complete file in place; for a direct output, only checks.
    bool commit();
    // Removes the temporary file; nothing changes at the target.
    void discard();

    int error() const { return m_error; }
    const std::string& name() const { return m_name; }

private:
    bool fail();

    int m_fd = -1;
    bool m_owned = false;
    bool m_device = false;
    int m_error = 0;
    std::string m_name;
    std::string m_target;
    std::string m_temporary;
};

// A temporary file being written is removed when the program is
// interrupted (SIGINT, SIGTERM, SIGHUP) or when a mapped input file
// shrinks under it (SIGBUS, which ends with a message and status 2); a
// closed pipe gives EPIPE instead of ending the program.
void installSignalHandlers();

}  // namespace tagora::cli
