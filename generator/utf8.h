// Strict UTF-8: well-formed sequences only (no overlong forms, no encoded
// surrogates, nothing above U+10FFFF, no truncated sequences), checked at
// one go or block by block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tagora {

// The offset of the first byte of the first ill-formed sequence, the
// place where a strict decoder stops; std::string_view::npos when the
// whole text is well-formed.
std::size_t firstInvalidUtf8(std::string_view bytes);

namespace utf8 {

enum class Status { Complete, Invalid, Truncated };

struct Sequence {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes, when Complete
    Status status = Status::Invalid;
};

// What a lead byte allows: the sequence length (0: not a lead byte), the
// range of the second byte that keeps the sequence from being overlong, a
// surrogate or above U+10FFFF, and the payload bits of the lead byte.
struct LeadRule {
    std::uint8_t length = 0;
    std::uint8_t secondMin = 0;
    std::uint8_t secondMax = 0;
    std::uint8_t payloadMask = 0;
};

constexpr LeadRule leadRule(unsigned lead)
{
    if (lead < 0x80)
        return {1, 0, 0, 0x7F};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF, 0x1F};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF, 0x0F};
    if (lead == 0xED)
        return {3, 0x80, 0x9F, 0x0F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF, 0x0F};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF, 0x07};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF, 0x07};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F, 0x07};
    return {};
}

struct LeadRules {
    LeadRule rules[256];
    constexpr LeadRules()
    {
        for (unsigned lead = 0; lead < 256; ++lead)
            rules[lead] = leadRule(lead);
    }
};
inline constexpr LeadRules kLeadRules;

constexpr bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The sequence that starts at bytes[0] (ASCII decodes too). Truncated:
// every byte present is a valid beginning, but the sequence goes on beyond
// the end of the bytes.
inline Sequence decodeSequence(const unsigned char* bytes, std::size_t available)
{
    const LeadRule rule = kLeadRules.rules[bytes[0]];
    char32_t value = bytes[0] & rule.payloadMask;
    if (rule.length <= 1)
        return rule.length == 1 ? Sequence{value, 1, Status::Complete} : Sequence{};
    if (available < 2)
        return {0, 0, Status::Truncated};
    if (bytes[1] < rule.secondMin || bytes[1] > rule.secondMax)
        return {};
    value = (value << 6) | (bytes[1] & 0x3Fu);
    for (std::size_t k = 2; k < rule.length; ++k) {
        if (k >= available)
            return {0, 0, Status::Truncated};
        if (!isContinuation(bytes[k]))
            return {};
        value = (value << 6) | (bytes[k] & 0x3Fu);
    }
    return {value, rule.length, Status::Complete};
}

// The length of the ASCII run at the start of the bytes.
std::size_t asciiPrefix(const unsigned char* bytes, std::size_t size);

// Appends the UTF-8 form of a code point and returns the end.
char* encode(char32_t codePoint, char* out);

// The beginning of a sequence cut off by the end of a block, completed
// from the blocks that follow.
class Carry {
public:
    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    const unsigned char* bytes() const { return m_bytes; }
    void keep(const unsigned char* bytes, std::size_t size);
    void clear() { m_size = 0; }
    // Takes bytes from the start of the block until the sequence is
    // complete or ill-formed; `used` tells how many. Still Truncated when
    // the block ran out first (the bytes are then kept). When Complete,
    // bytes() holds the whole sequence until the next keep() or resume().
    Sequence resume(const unsigned char* block, std::size_t size, std::size_t& used);

private:
    unsigned char m_bytes[4] = {};
    std::size_t m_size = 0;
};

}  // namespace utf8

// Strict validation of a text that arrives block by block; a sequence may
// be split across blocks.
class Utf8Validator {
public:
    // False at the first ill-formed sequence; errorOffset() then tells
    // where it starts, counted from the first byte ever fed.
    bool feed(std::string_view block);
    // False when the text ends inside a sequence.
    bool finish();
    std::uint64_t errorOffset() const { return m_errorOffset; }

private:
    std::uint64_t m_offset = 0;  // bytes fed before the current block
    std::uint64_t m_errorOffset = 0;
    utf8::Carry m_carry;
};

}  // namespace tagora
