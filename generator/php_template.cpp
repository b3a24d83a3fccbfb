#include "php_template.h"
namespace tagora {
std::variant<std::string, ScriptReadError> phpTemplate(std::string_view) { return ScriptReadError{1, 1, "stub"}; }
}
