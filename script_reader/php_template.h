// Legacy PHP files turned into templates: the HTML they print written out
// as HTML, the code that computes it left in place.
#pragma once

#include "script_reader/script_read_error.h"

#include <string>
#include <string_view>
#include <variant>

namespace tagora {

// The PHP file as a template: the literal output of echo and print as HTML text, other
// expressions as <?= … ?>, other code in <?php … ?> blocks; prints the same as the file.
std::variant<std::string, ScriptReadError> phpTemplate(std::string_view script);

}  // namespace tagora
