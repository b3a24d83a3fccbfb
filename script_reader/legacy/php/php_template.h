// Legacy PHP files turned into templates: the HTML they print written out
// as HTML, the code that computes it left in place.
#pragma once

#include "php_includes.h"
#include "script_read_error.h"
#include "write_note.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tagora {

// The PHP file as a template: the literal output of echo and print as HTML text, other
// expressions as <?= … ?>, other code in <?php … ?> blocks; prints the same as the file.
// The files it includes, when readIncludes reads them, tell which functions
// print and which handlers are set; without them, an include may do anything.
// `notes`, when given, gets why each write was left as code, kept whole or
// has its values computed before its text.
std::variant<std::string, ScriptReadError> phpTemplate(std::string_view script,
                                                       const PhpIncludeReader& readIncludes = {},
                                                       WriteNotes* notes = nullptr);

// Where the code of a PHP file (not its inline HTML) holds bytes beyond
// ASCII, written or made by an escape ("\xe9", "\351"): once the file is
// written in another encoding, these no longer mean the same. At most
// `limit` places, in order; empty for a file PHP cannot read.
std::vector<ScriptReadError> phpCodeBeyondAscii(std::string_view script, std::size_t limit);

}  // namespace tagora
