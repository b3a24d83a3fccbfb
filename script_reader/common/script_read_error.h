// Where and why a script could not be read back into HTML.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tagora {

struct ScriptReadError {
    std::size_t line = 0;    // from 1; lines end at CR LF, LF or CR
    std::size_t column = 0;  // from 1, in characters (code points) of that line
    std::string message;     // what is wrong, e.g. "unterminated string"
};

// The error at a byte of the script; a column is a UTF-8 character, or a
// byte that is not part of one.
ScriptReadError errorAtOffset(std::string_view script, std::size_t offset, std::string message);

}  // namespace tagora
