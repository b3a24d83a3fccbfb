#include "included_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <utility>

namespace tagora::cli {

namespace {

// Limits on what a page may pull in: beyond them, its includes are taken
// as unknown.
constexpr std::size_t kMaxIncludedFiles = 1000;
constexpr off_t kMaxIncludedSize = off_t{64} << 20;
constexpr std::size_t kMaxIncludedTotal = std::size_t{256} << 20;

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<std::string> realPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

// The one entry of the folder whose name equals name but for the case of
// ASCII letters, as Windows' file systems find it; none when there are two.
std::optional<std::string> entryIgnoringCase(const std::string& folder, const std::string& name)
{
    struct CloseDirectory {
        void operator()(DIR* directory) const { closedir(directory); }
    };
    const std::unique_ptr<DIR, CloseDirectory> directory(opendir(folder.c_str()));
    if (!directory)
        return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = readdir(directory.get())) {
        if (strcasecmp(entry->d_name, name.c_str()) != 0)
            continue;
        if (found)
            return std::nullopt;
        found = entry->d_name;
    }
    return found;
}

// The path as IIS on Windows finds it: a name that differs from the file's
// only in case names that file.
std::optional<std::string> realPathIgnoringCase(const std::string& path)
{
    if (std::optional<std::string> exact = realPath(path))
        return exact;
    std::string resolved = path.starts_with('/') ? "" : ".";
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string name = path.substr(start, slash - start);
        start = slash + 1;
        if (name.empty())
            continue;
        struct stat status {};
        if (name != "." && name != ".." && lstat((resolved + "/" + name).c_str(), &status) != 0) {
            const std::optional<std::string> entry = entryIgnoringCase(resolved.empty() ? "/" : resolved, name);
            if (!entry)
                return std::nullopt;
            resolved += "/" + *entry;
        } else {
            resolved += "/" + name;
        }
    }
    return realPath(resolved);
}

bool isInside(const std::string& path, const std::string& root)
{
    if (root == "/")
        return true;
    return path == root || (path.starts_with(root) && path[root.size()] == '/');
}

bool readAll(int fd, std::string& bytes)
{
    for (std::size_t got = 0; got < bytes.size();) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            return false;  // an error, or the file shrank
        got += static_cast<std::size_t>(n);
    }
    return true;
}

using FileIds = std::set<std::pair<dev_t, ino_t>>;

// A regular file's whole content, or an empty text when it was read
// already. A pipe, a device or a socket is never opened: opening a pipe
// would release a writer waiting on it. Should the file be replaced
// between the check and the opening, what was opened is not read.
std::optional<std::string> readRegularFile(const std::string& path, FileIds& seen)
{
    struct stat checked {};
    if (stat(path.c_str(), &checked) != 0 || !S_ISREG(checked.st_mode))
        return std::nullopt;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<std::string> text;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_dev == checked.st_dev
        && status.st_ino == checked.st_ino && status.st_size <= kMaxIncludedSize) {
        text.emplace();
        if (seen.insert({status.st_dev, status.st_ino}).second) {
            text->resize(static_cast<std::size_t>(status.st_size));
            if (!readAll(fd, *text))
                text.reset();
        }
    }
    close(fd);
    return text;
}

class IncludeWalk {
public:
    // PHP finds a relative path from the including file's folder, then
    // from the root; case matters.
    IncludeWalk(std::string root, bool php = false) : m_root(std::move(root)), m_php(php) {}

    const std::string& missing() const { return m_missing; }

    AspIncludedFiles run(std::string_view page, const std::string& pagePath)
    {
        m_result.complete = true;
        struct stat status {};
        if (stat(pagePath.c_str(), &status) == 0)  // including the page again is a cycle
            m_seen.insert({status.st_dev, status.st_ino});
        follow(page, pagePath);
        while (!m_pending.empty() && m_result.complete) {
            auto [index, path] = std::move(m_pending.front());
            m_pending.pop_front();
            const std::string text = m_result.texts[index];
            follow(text, path);
        }
        if (!m_result.complete)
            m_result.texts.clear();
        return std::move(m_result);
    }

private:
    // The includes of the file at `path`, whose text is `text`.
    void follow(std::string_view text, const std::string& path)
    {
        const AspIncludeDirectives found = m_php ? phpDirectives(text) : aspIncludeDirectives(text);
        if (found.malformed)
            m_result.complete = false;
        for (const AspIncludeDirective& directive : found.directives) {
            if (m_result.complete)
                include(directive, path, text);
        }
    }

    // "`inc.asp` (included at page.asp:3)"; PHP's includes as written.
    std::string named(const AspIncludeDirective& directive, const std::string& includer, std::string_view text) const
    {
        if (m_php)
            return directive.path;
        const std::string_view before = text.substr(0, directive.offset);
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        const std::string_view shown = std::string_view(includer).starts_with("./") ? std::string_view(includer).substr(2)
                                                                                     : std::string_view(includer);
        return "`" + directive.path + "` (included at " + std::string(shown) + ":" + std::to_string(line) + ")";
    }

    AspIncludeDirectives phpDirectives(std::string_view text)
    {
        const PhpIncludes found = m_phpFinder.find(text);
        AspIncludeDirectives directives{{}, !found.unresolved.empty()};
        for (const std::string& path : found.paths)
            directives.directives.push_back({false, path});
        if (directives.malformed && m_missing.empty())
            m_missing = found.unresolved;
        return directives;
    }

    void include(const AspIncludeDirective& directive, const std::string& includer, std::string_view includerText)
    {
        const std::string folder = folderOf(includer);
        std::string path = directive.path;
        for (char& c : path)
            c = c == '\\' && !m_php ? '/' : c;
        const bool fromRoot = directive.isVirtual && path.starts_with('/');
        std::string joined = (fromRoot ? m_root : folder) + (path.starts_with('/') ? "" : "/") + path;
        std::optional<std::string> real = m_php ? realPath(joined) : realPathIgnoringCase(joined);
        if (m_php && !real && !path.starts_with('/')) {
            joined = m_root + "/" + path;
            real = realPath(joined);
        }
        std::optional<std::string> text;
        if (real && isInside(*real, m_root))
            text = readRegularFile(*real, m_seen);
        if (!text || m_result.texts.size() >= kMaxIncludedFiles || m_total + text->size() > kMaxIncludedTotal) {
            if (m_missing.empty())
                m_missing = named(directive, includer, includerText);
            m_result.complete = false;
            return;
        }
        if (text->empty())
            return;  // read already
        m_total += text->size();
        m_result.texts.push_back(std::move(*text));
        m_pending.emplace_back(m_result.texts.size() - 1, joined);
    }

    std::string m_root;
    bool m_php = false;
    PhpIncludeFinder m_phpFinder;
    std::string m_missing;
    AspIncludedFiles m_result;
    FileIds m_seen;
    std::deque<std::pair<std::size_t, std::string>> m_pending;
    std::size_t m_total = 0;
};

}  // namespace

AspIncludedFiles readIncludedFiles(std::string_view page, const std::string& pagePath, const std::string& root)
{
    const std::optional<std::string> realRoot = realPath(root.empty() ? folderOf(pagePath) : root);
    if (!realRoot)
        return {};
    IncludeWalk walk(*realRoot);
    AspIncludedFiles found = walk.run(page, pagePath);
    found.missing = walk.missing();
    return found;
}

}  // namespace tagora::cli

namespace tagora::cli {

PhpIncludedFiles readPhpIncludedFiles(std::string_view page, const std::string& pagePath, const std::string& root)
{
    const std::optional<std::string> realRoot = realPath(root.empty() ? folderOf(pagePath) : root);
    if (!realRoot)
        return {{}, false, "the site's root"};
    IncludeWalk walk(*realRoot, true);
    AspIncludedFiles found = walk.run(page, pagePath);
    return {std::move(found.texts), found.complete, walk.missing()};
}

}  // namespace tagora::cli
