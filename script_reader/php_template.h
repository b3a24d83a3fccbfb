// Legacy PHP files turned into templates: the HTML they print written out
// as HTML, the code that computes it left in place.
#pragma once

#include "script_reader/script_read_error.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tagora {

// The PHP file as a template: the literal output of echo and print as HTML text, other
// expressions as <?= … ?>, other code in <?php … ?> blocks; prints the same as the file.
std::variant<std::string, ScriptReadError> phpTemplate(std::string_view script);

// Where the code of a PHP file (not its inline HTML) holds bytes beyond
// ASCII, written or made by an escape ("\xe9", "\351"): once the file is
// written in another encoding, these no longer mean the same. At most
// `limit` places, in order; empty for a file PHP cannot read.
std::vector<ScriptReadError> phpCodeBeyondAscii(std::string_view script, std::size_t limit);

}  // namespace tagora
