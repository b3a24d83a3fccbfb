#pragma once
#include "script_read_error.h"
#include <string>
#include <string_view>
#include <variant>
namespace tagora {
std::variant<std::string, ScriptReadError> aspTemplate(std::string_view script);
}
