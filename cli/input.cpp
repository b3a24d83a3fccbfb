#include "input.h"

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

std::variant<std::string, ReadFailure> readStream(std::FILE* stream)
{
    std::string bytes;
    constexpr std::size_t kChunk = 1 << 20;
    std::size_t used = 0;
    for (;;) {
        bytes.resize(used + kChunk);
        used += std::fread(bytes.data() + used, 1, kChunk, stream);
        if (used < bytes.size())
            break;
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
