#include "script_read_error.h"

#include "input_text/utf8.h"

namespace tagora {

ScriptReadError errorAtOffset(std::string_view script, std::size_t offset, std::string message)
{
    ScriptReadError result{1, 1, std::move(message)};
    const auto* bytes = reinterpret_cast<const unsigned char*>(script.data());
    for (std::size_t i = 0; i < offset && i < script.size();) {
        if (script[i] == '\r' || script[i] == '\n') {
            i += script[i] == '\r' && i + 1 < script.size() && script[i + 1] == '\n' ? 2 : 1;
            ++result.line;
            result.column = 1;
            continue;
        }
        const utf8::Sequence sequence = utf8::decodeSequence(bytes + i, script.size() - i);
        i += sequence.status == utf8::Status::Complete ? sequence.length : 1;
        ++result.column;
    }
    return result;
}

}  // namespace tagora
