// The diagnostic character-code listing.
#pragma once

#include "input_text/utf8.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tagora {

// For every code unit of the text, one space followed by its decimal
// Windows-1252 code, 63 ("?") when that code page has no such character
// (surrogate halves included). Empty for an empty text.
std::u16string characterCodeListing(std::u16string_view text);

// The same listing of a UTF-8 text, given block by block and decoded as it
// goes: a character beyond U+FFFF is two UTF-16 code units in the window,
// so it lists as two 63s. Each byte of an ill-formed sequence lists as 63.
class Utf8CodeListing {
public:
    // The most bytes feed() writes for a block of the given size; finish()
    // writes at most 16.
    static constexpr std::size_t maxFeedSize(std::size_t blockSize) { return 4 * blockSize + 16; }

    char* feed(std::string_view block, char* out);
    char* finish(char* out);

private:
    utf8::Reader m_reader;
};

}  // namespace tagora
