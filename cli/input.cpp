#include "input.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tagora::cli {
namespace {

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

ReadFailure failureFromErrno()
{
    return ReadFailure{std::strerror(errno)};
}

// The size of a regular file, so that it can be read at one go; 0 for
// pipes and terminals, whose size is not known in advance.
std::size_t knownSize(std::FILE* stream)
{
    struct stat status {};
    if (fstat(fileno(stream), &status) != 0 || !S_ISREG(status.st_mode))
        return 0;
    return static_cast<std::size_t>(status.st_size);
}

std::variant<std::string, ReadFailure> readStream(std::FILE* stream)
{
    constexpr std::size_t kMinimumBuffer = 1 << 16;
    std::string bytes(std::max(knownSize(stream) + 1, kMinimumBuffer), '\0');
    std::size_t used = 0;
    for (;;) {
        used += std::fread(bytes.data() + used, 1, bytes.size() - used, stream);
        if (used < bytes.size())
            break;
        bytes.resize(bytes.size() * 2);
    }
    if (std::ferror(stream))
        return failureFromErrno();
    bytes.resize(used);
    return bytes;
}

}  // namespace

std::variant<std::string, ReadFailure> readAllBytes(const std::string& file)
{
    if (file == "-")
        return readStream(stdin);
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream)
        return failureFromErrno();
    return readStream(stream.get());
}

}  // namespace tagora::cli
