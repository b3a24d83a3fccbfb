// Files for the literals edited as HTML, and the file: URIs that name them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tagora::lsp {

// "file:///tmp/a%20b.html" for "/tmp/a b.html".
std::string uriOfPath(std::string_view path);
// The path of a file: URI; none for another scheme or a bad escape.
std::optional<std::string> pathOfUri(std::string_view uri);
// The last segment of a URI's path, for messages.
std::string fileNameOfUri(std::string_view uri);

// A new folder of the form prefix + XXXXXX; none on failure (errno set).
std::optional<std::string> makeFolder(const std::string& prefix);
// The bytes written whole to a file beside it, then renamed over it;
// false (errno set) when that cannot be done, the file then unchanged.
bool writeWhole(const std::string& path, std::string_view bytes);
// When a file was last changed, and its size: what tells a save.
struct FileStamp {
    std::int64_t seconds = -1;
    std::int64_t nanoseconds = 0;
    std::int64_t size = -1;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);
std::optional<std::string> readWhole(const std::string& path);

// A folder and what it holds, one level deep.
void removeFolder(const std::string& path);

}  // namespace tagora::lsp
