// The files a PHP page includes: include, include_once, require and
// require_once with a path the file itself spells out, and the text of
// those files, handed in by whoever can read files (the engine reads none).
// Knowing them tells which functions print, and whether an error handler,
// an exception handler, a try block or an autoloader may change what a
// write does.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

struct PhpIncludes {
    // Paths as written, relative to the including file's folder or the
    // site's root; a constant's or __DIR__'s part taken away.
    std::vector<std::string> paths;
    std::string unresolved;  // the first include whose path is computed, as written; empty when none
};

// Reads the includes of one file after another, the page first, learning
// the constants they define as a folder (define('ROOT', './') or
// dirname(__FILE__) . '/'), which later paths start with.
class PhpIncludeFinder {
public:
    PhpIncludes find(std::string_view file);

private:
    std::map<std::string, bool, std::less<>> m_folders;  // constants that name the page's folder
};

// Every file a page includes, directly or through another included file,
// each once.
struct PhpIncludedFiles {
    std::vector<std::string> texts;
    bool complete = false;  // every include of every file was found and read
    std::string missing;    // when not: the first include that was not, as written
};

using PhpIncludeReader = std::function<PhpIncludedFiles(std::string_view page)>;

}  // namespace tagora
