// The diagnostic character-code listing.
#pragma once

#include "utf8.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tagora {

// The Windows-1252 code of one UTF-16 code unit; 63 ("?") when that code
// page has no such character (surrogate halves included).
int windows1252Code(char16_t ch);

// For every code unit of the text, one space followed by its decimal
// Windows-1252 code. Empty for an empty text.
std::u16string characterCodeListing(std::u16string_view text);

// The same listing of a UTF-8 text, decoded as it goes: a character beyond
// U+FFFF is two UTF-16 code units in the window, so it lists as two 63s.
// Each byte of an ill-formed sequence lists as 63.
std::string characterCodeListing(std::string_view utf8Text);

// The UTF-8 listing block by block; a sequence may be split across blocks.
class Utf8CodeListing {
public:
    // The most bytes feed() writes for a block of the given size.
    static constexpr std::size_t maxFeedSize(std::size_t blockSize) { return 4 * blockSize + 16; }
    static constexpr std::size_t kMaxFinishSize = 16;

    char* feed(std::string_view block, char* out);
    char* finish(char* out);

private:
    utf8::Carry m_carry;
};

}  // namespace tagora
