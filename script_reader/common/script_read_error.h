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

// The same for many offsets of one script: each is counted on from the
// one asked for before when it comes after it, so that places asked for in
// order read the script once.
class ScriptPlaces {
public:
    explicit ScriptPlaces(std::string_view script) : m_script(script) {}
    ScriptReadError at(std::size_t offset, std::string message);

private:
    std::string_view m_script;
    std::size_t m_asked = 0;    // the offset asked for last
    std::size_t m_counted = 0;  // where counting stopped for it (at or just after it)
    std::size_t m_line = 1;
    std::size_t m_column = 1;
};

}  // namespace tagora
