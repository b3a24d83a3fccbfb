// Where and why a script could not be read back into HTML.
#pragma once

#include <cstddef>
#include <string>

namespace tagora {

struct ScriptReadError {
    std::size_t line = 0;    // from 1; lines end at CR LF, LF or CR
    std::size_t column = 0;  // from 1, in characters (code points) of that line
    std::string message;     // what is wrong, e.g. "unterminated string"
};

}  // namespace tagora
