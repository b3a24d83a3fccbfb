#include "files.h"

#include "input_text/hex_digit.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tagora::lsp {
namespace {

constexpr std::string_view kFileScheme = "file://";

bool keptInUri(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
           || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string uriOfPath(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri(kFileScheme);
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptInUri(byte)) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri;
}

std::optional<std::string> pathOfUri(std::string_view uri)
{
    if (!uri.starts_with(kFileScheme))
        return std::nullopt;
    uri.remove_prefix(kFileScheme.size());
    const std::size_t slash = uri.find('/');  // after an authority, "localhost" or none
    if (slash == std::string_view::npos)
        return std::nullopt;
    uri.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            path += uri[i];
            continue;
        }
        const int high = i + 2 < uri.size() ? hexDigitValue(uri[i + 1]) : -1;
        const int low = i + 2 < uri.size() ? hexDigitValue(uri[i + 2]) : -1;
        if (high < 0 || low < 0)
            return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

std::string fileNameOfUri(std::string_view uri)
{
    const std::size_t slash = uri.rfind('/');
    const std::optional<std::string> name = pathOfUri(uri);
    if (name) {
        const std::size_t last = name->rfind('/');
        return last == std::string::npos ? *name : name->substr(last + 1);
    }
    return std::string(slash == std::string_view::npos ? uri : uri.substr(slash + 1));
}

std::optional<std::string> makeFolder(const std::string& prefix)
{
    std::vector<char> name(prefix.begin(), prefix.end());
    for (const char c : std::string_view("XXXXXX"))
        name.push_back(c);
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        return std::nullopt;
    return std::string(name.data());
}

bool writeWhole(const std::string& path, std::string_view bytes)
{
    const std::string temporary = path + ".new";
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = write(file, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        written += static_cast<std::size_t>(step);
    }
    const bool whole = written == bytes.size() && fsync(file) == 0;
    const int error = errno;
    if (close(file) != 0 || !whole || rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = whole ? errno : error;
        unlink(temporary.c_str());
        errno = reason;
        return false;
    }
    return true;
}

FileStamp stampOf(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return {};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec, status.st_size};
}

std::optional<std::string> readWhole(const std::string& path)
{
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return std::nullopt;
    std::string bytes;
    char block[1 << 16];
    for (;;) {
        const ssize_t size = read(file, block, sizeof block);
        if (size < 0 && errno == EINTR)
            continue;
        if (size <= 0) {
            close(file);
            return size == 0 ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
        }
        bytes.append(block, static_cast<std::size_t>(size));
    }
}

void removeFolder(const std::string& path)
{
    if (DIR* folder = opendir(path.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                unlink((path + "/" + name).c_str());
        }
        closedir(folder);
    }
    rmdir(path.c_str());
}

}  // namespace tagora::lsp
