#include "script_read_error.h"

#include "input_text/utf8.h"

namespace tagora {

namespace {

// Counts lines and columns from byte i (at line and column) on, a CR LF
// or a character at a time, up to the first place at or after offset.
std::size_t countTo(std::string_view script, std::size_t i, std::size_t offset, std::size_t& line, std::size_t& column)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(script.data());
    while (i < offset && i < script.size()) {
        if (script[i] == '\r' || script[i] == '\n') {
            i += script[i] == '\r' && i + 1 < script.size() && script[i + 1] == '\n' ? 2 : 1;
            ++line;
            column = 1;
            continue;
        }
        const utf8::Sequence sequence = utf8::decodeSequence(bytes + i, script.size() - i);
        i += sequence.status == utf8::Status::Complete ? sequence.length : 1;
        ++column;
    }
    return i;
}

}  // namespace

ScriptReadError errorAtOffset(std::string_view script, std::size_t offset, std::string message)
{
    ScriptReadError result{1, 1, std::move(message)};
    countTo(script, 0, offset, result.line, result.column);
    return result;
}

ScriptReadError ScriptPlaces::at(std::size_t offset, std::string message)
{
    if (offset < m_asked) {
        m_counted = 0;
        m_line = 1;
        m_column = 1;
    }
    m_asked = offset;
    m_counted = countTo(m_script, m_counted, offset, m_line, m_column);
    return {m_line, m_column, std::move(message)};
}

}  // namespace tagora
