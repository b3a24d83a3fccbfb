// Line breaks as the input box makes them.
#pragma once

#include <string>
#include <string_view>

namespace tagora::cli {

// Turns every line break (CR LF, a lone LF or a lone CR) into CR LF, as
// pasting the text into the program's input box does. Nothing else changes.
std::u16string withCrLfLineBreaks(std::u16string_view text);

}  // namespace tagora::cli
