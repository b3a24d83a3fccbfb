// The server-side includes of a classic ASP page: the directives its HTML
// text holds, and the text of the files they name, handed in by whoever
// can read files (the engine reads none). Knowing what an included file
// declares tells which names of the page are variables and constants,
// which cannot print, and which are procedures, which may.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

struct AspIncludeDirective {
    bool isVirtual = false;  // virtual="…" (from the site's root), else file="…" (from the including file)
    std::string path;        // as written, between the quotes
    std::size_t offset = 0;  // of its "<!--" in the text that holds it
};

struct AspIncludeDirectives {
    std::vector<AspIncludeDirective> directives;
    bool malformed = false;  // an include whose file cannot be told
};

// The #include directives in the HTML text of a page or included file
// (outside <% … %>), in order.
AspIncludeDirectives aspIncludeDirectives(std::string_view page);

// Every file a page includes, directly or through another included file,
// each once.
struct AspIncludedFiles {
    std::vector<std::string> texts;
    bool complete = false;  // every include of every file was found and read
    std::string missing;    // when not: the first that was not, as "`inc.asp` (included at page.asp:3)"
};

// Reads the files a page includes; called only for ASP pages.
using AspIncludeReader = std::function<AspIncludedFiles(std::string_view page)>;

}  // namespace tagora
