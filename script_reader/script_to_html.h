// From a script back to HTML: what a script of this program prints, or,
// for any other PHP, classic ASP or JSP file, a template that prints the same.
#pragma once

#include "asp_includes.h"
#include "php_includes.h"
#include "script_read_error.h"
#include "write_note.h"
#include "script_writer/targets.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

// Shown instead of HTML when the script is empty.
inline constexpr std::string_view kNoScriptMessage = "There is no script to convert.";

struct HtmlFromScript {
    std::optional<std::string> html;
    ScriptReadError error;         // why there is none
    std::optional<Target> target;  // the language read: php, asp or jsp for templates
    bool exact = false;            // one of this program's scripts, read back
    WriteNotes notes;              // for a template: why each write left as code or kept whole is so
};

// The script's language is recognised unless `from` names it. A script
// this program wrote is read back exactly; otherwise a PHP, ASP or JSP
// page becomes a template, its language told by what it holds (see
// script_language.h; a page that could be of two languages is an error),
// an ASP page knowing the names its includes declare when readIncludes
// can read them, and a PHP page the functions and handlers of its includes.
// `withNotes` false leaves the notes empty: a page of many writes has
// about as many notes, which take memory like the page itself.
HtmlFromScript htmlFromScript(std::string_view script, std::optional<Target> from = std::nullopt,
                              const AspIncludeReader& readIncludes = {},
                              const PhpIncludeReader& readPhpIncludes = {}, bool withNotes = true);

// Where the code a PHP or ASP template keeps holds bytes beyond ASCII
// (see phpCodeBeyondAscii and aspCodeBeyondAscii): what may change meaning
// once the template is written in another encoding than its file's.
std::vector<ScriptReadError> templateCodeBeyondAscii(std::string_view templ, Target language, std::size_t limit);

// PHP and classic ASP read a page's bytes, not its characters: a page read
// in a legacy encoding (see html::isLegacyEncoding) becomes a template made
// from its bytes, so that escapes that make bytes ("\xe9") and its string
// literals keep their meaning. `made` is the page read from those bytes.
// One of this program's scripts read back is no template, and ASP decodes a
// page whose encoding writes characters with ASCII bytes (ISO-2022-JP)
// before it reads the code: such pages are read as text.
bool templateKeepsFileBytes(const HtmlFromScript& made, std::string_view encoding);

}  // namespace tagora
