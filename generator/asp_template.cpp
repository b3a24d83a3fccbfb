#include "asp_template.h"
namespace tagora {
std::variant<std::string, ScriptReadError> aspTemplate(std::string_view) { return ScriptReadError{1, 1, "stub"}; }
}
