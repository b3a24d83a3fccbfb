#include "line_breaks.h"

namespace tagora::cli {

std::u16string withCrLfLineBreaks(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit != u'\r' && unit != u'\n') {
            result.push_back(unit);
            continue;
        }
        result.append(u"\r\n");
        if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return result;
}

}  // namespace tagora::cli
