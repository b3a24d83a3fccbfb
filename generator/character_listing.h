// The diagnostic character-code listing.
#pragma once

#include <string>
#include <string_view>

namespace tagora {

// The Windows-1252 code of one UTF-16 code unit; 63 ("?") when that code
// page has no such character (surrogate halves included).
int windows1252Code(char16_t ch);

// For every code unit of the text, one space followed by its decimal
// Windows-1252 code. Empty for an empty text.
std::u16string characterCodeListing(std::u16string_view text);

}  // namespace tagora
