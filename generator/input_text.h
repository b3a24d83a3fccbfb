// The input text as the input box holds it. The window and tagora-convert
// both bring their text into this form before converting it:
//   - every line break, CR LF, a lone CR, a lone LF or the paragraph
//     separator U+2029, becomes CR LF;
//   - the noncharacters U+FDD0 and U+FDD1 (which the editor uses for its
//     own purposes and cannot hold) become U+FFFD;
//   - everything else stays as it is (NUL, TAB, U+2028, NBSP, emoji).
#pragma once

#include "utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tagora {

inline constexpr char32_t kParagraphSeparator = 0x2029;
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr char32_t kByteOrderMark = 0xFEFF;

// What a code point other than CR and LF becomes in the input text.
enum class InputRule { Keep, LineBreak, Replace };

constexpr InputRule inputRule(char32_t codePoint)
{
    if (codePoint == kParagraphSeparator)
        return InputRule::LineBreak;
    if (codePoint == 0xFDD0 || codePoint == 0xFDD1)
        return InputRule::Replace;
    return InputRule::Keep;
}

// The rules above applied to a 16-bit text: its size afterwards, and the
// text written at out (room for normalizedInputSize(text) units; returns
// the end).
std::size_t normalizedInputSize(std::u16string_view text);
char16_t* normalizeInputText(std::u16string_view text, char16_t* out);

// Strict UTF-8 decoding for tagora-convert, block by block, straight into
// normalised UTF-8: a line break split between blocks (CR | LF) and a
// sequence split between blocks are carried over.
class Utf8InputDecoder {
public:
    // A byte-order mark at the very start is not part of the text.
    explicit Utf8InputDecoder(bool dropLeadingByteOrderMark = true);

    // The most bytes feed() writes for a block of the given size.
    static constexpr std::size_t maxFeedSize(std::size_t blockSize) { return 2 * blockSize + 16; }

    // Writes the normalised text of the block and returns its end, or
    // nullptr at an ill-formed sequence (see errorOffset()). Room for
    // maxFeedSize(block.size()) bytes is needed at out.
    char* feed(std::string_view block, char* out);
    // The normalised text of the block: the block itself when it needs no
    // change (the common case of well-formed text with CR LF line breaks),
    // or else what feed() wrote at out. std::nullopt at an ill-formed
    // sequence.
    std::optional<std::string_view> decode(std::string_view block, char* out);
    // False when the text ends inside a sequence.
    bool finish();
    // Where the ill-formed sequence starts, counted from the first byte fed.
    std::uint64_t errorOffset() const { return m_errorOffset; }

private:
    char* putCodePoint(const utf8::Sequence& sequence, const unsigned char* bytes, char* out);
    char* putBlock(const unsigned char*& p, const unsigned char* end, char* out);
    bool needsNoChange(std::string_view block) const;

    std::uint64_t m_offset = 0;
    std::uint64_t m_errorOffset = 0;
    utf8::Carry m_carry;
    bool m_skipLineFeed = false;  // a CR ended the last block
    bool m_atStart = true;
    bool m_dropByteOrderMark;
};

// Strict validation of the bytes of an input, block by block, that also
// tells whether its input text is the bytes themselves: every line break a
// CR LF, and no character the rules change or drop (so no byte-order mark
// either).
class Utf8InputCheck {
public:
    // False at the first ill-formed sequence (see errorOffset()).
    bool feed(std::string_view block);
    // False when the text ends inside a sequence.
    bool finish();
    std::uint64_t errorOffset() const { return m_plainSize + m_validator.errorOffset(); }
    // After a successful finish(): the input text is the bytes as they are.
    bool changesNothing() const { return m_unchanged; }

private:
    std::size_t completeCutCharacter(const unsigned char* bytes, std::size_t size);
    bool keepCutCharacter(const unsigned char* bytes, std::size_t size);

    Utf8Validator m_validator;  // for what follows the plain start
    unsigned char m_cut[4] = {};  // a plain start's last character, cut off
    std::size_t m_cutSize = 0;
    std::uint64_t m_plainSize = 0;  // bytes of the plain start
    bool m_crBefore = false;  // the plain start ends with a CR
    bool m_unchanged = true;  // all so far is plain
};

}  // namespace tagora
