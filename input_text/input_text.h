// The input text as the input box holds it. The window and tagora-convert
// both bring their text into this form before converting it:
//   - every line break, CR LF, a lone CR, a lone LF or the paragraph
//     separator U+2029, becomes CR LF;
//   - the noncharacters U+FDD0 and U+FDD1 (which the editor uses for its
//     own purposes and cannot hold) become U+FFFD;
//   - everything else stays as it is (NUL, TAB, U+2028, NBSP, emoji).
// inputRule() says it once for every form: the window's 16-bit text and
// the UTF-8 that tagora-convert reads.
#pragma once

#include "input_text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tagora {

inline constexpr char32_t kParagraphSeparator = 0x2029;
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr char32_t kByteOrderMark = 0xFEFF;

// What becomes of a character in the input text.
enum class InputRule { Keep, LineBreak, Drop, Replace };

// The rules one character at a time; afterCr: the character before it is
// a CR. A CR becomes CR LF at once, so the LF of a CR LF is dropped.
constexpr InputRule inputRule(char32_t character, bool afterCr)
{
    if (character == '\n')
        return afterCr ? InputRule::Drop : InputRule::LineBreak;
    if (character == '\r' || character == kParagraphSeparator)
        return InputRule::LineBreak;
    if (character == 0xFDD0 || character == 0xFDD1)
        return InputRule::Replace;
    return InputRule::Keep;
}

// A text is its own input text when every character is kept, but for a CR
// LF pair: true when the character does not stop that (an LF right after
// a CR, a CR that an LF must then follow, a character kept not after a CR).
constexpr bool leavesTextAsItIs(char32_t character, bool afterCr)
{
    return (character == '\n') == afterCr
        && (character == '\r' || character == '\n' || inputRule(character, false) == InputRule::Keep);
}

// The rules applied to a 16-bit text: its size afterwards, and the text
// written at out (room for normalizedInputSize(text) units; returns the
// end).
std::size_t normalizedInputSize(std::u16string_view text);
char16_t* normalizeInputText(std::u16string_view text, char16_t* out);

// Strict UTF-8 decoding for tagora-convert, block by block, straight into
// the input text as UTF-8.
class Utf8InputDecoder {
public:
    // A byte-order mark at the very start is not part of the text, unless
    // it stays (what a transcoder gives has lost its own mark already).
    explicit Utf8InputDecoder(bool dropLeadingByteOrderMark = true)
        : m_dropByteOrderMark(dropLeadingByteOrderMark)
    {
    }

    // The most bytes decode() writes for a block of the given size.
    static constexpr std::size_t maxFeedSize(std::size_t blockSize) { return 2 * blockSize + 16; }

    // The input text of the block: the block itself when it needs no change
    // (the common case of well-formed text with CR LF line breaks), or else
    // written at out (room for maxFeedSize(block.size()) bytes).
    // std::nullopt at an ill-formed sequence (see errorOffset()).
    std::optional<std::string_view> decode(std::string_view block, char* out);
    // False when the text ends inside a sequence.
    bool finish();
    // Where the ill-formed sequence starts, counted from the first byte.
    std::uint64_t errorOffset() const { return m_reader.errorOffset(); }

private:
    bool needsNoChange(std::string_view block) const;
    std::size_t unchangedStart(std::string_view block) const;
    std::optional<std::string_view> decodeCompleting(std::string_view block, char* out);
    std::optional<std::string_view> decodeAfter(std::string_view block, std::size_t unchanged, char* out);

    utf8::Reader m_reader;
    bool m_afterCr = false;
    bool m_atStart = true;
    bool m_dropByteOrderMark;
};

}  // namespace tagora
