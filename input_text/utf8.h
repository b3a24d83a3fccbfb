// Strict UTF-8: well-formed sequences only (no overlong forms, no encoded
// surrogates, nothing above U+10FFFF, no truncated sequences), read one
// character at a time from a text that arrives block by block.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The length of the start of the bytes that is well-formed, up to the
// first sequence that is ill-formed or cut off by their end.
std::size_t wellFormedPrefix(const unsigned char* bytes, std::size_t size);

// Where the last sequence of the bytes begins when they end inside it
// (it may be ill-formed too), else their size.
std::size_t wholeCharactersSize(const unsigned char* bytes, std::size_t size);

// Appends the UTF-8 form of a code point and returns the end.
char* encode(char32_t codePoint, char* out);

// Reads a text given block by block, one character at a time, and hands
// what it reads to a handler; a sequence cut by the end of a block is
// completed from the next block. The handler has:
//   std::size_t run(const unsigned char* bytes, std::size_t size)
//       how many whole characters' bytes from bytes on it takes at once
//       (a run of ASCII, say), 0 for none;
//   void character(const Sequence& sequence, const unsigned char* bytes)
//       every other well-formed character, its bytes at bytes;
//   bool invalid(std::size_t count)
//       count bytes that begin no well-formed character (or end the text
//       inside one); true to go on after them, false to stop there.
class Reader {
public:
    // False when the handler stopped at an ill-formed sequence; the
    // reader is then of no further use.
    template <class Handler>
    bool feed(std::string_view block, Handler& handler);
    // The end of the text: false when it ends inside a sequence and the
    // handler stops there.
    template <class Handler>
    bool finish(Handler& handler);
    // Nothing is carried over to the next block.
    bool atCharacterEdge() const { return m_carried == 0; }
    // How many bytes the sequence carried over still lacks.
    std::size_t missingBytes() const { return m_carried == 0 ? 0 : kLeadRules.rules[m_carry[0]].length - m_carried; }
    // A block of whole characters that was read by other means: only
    // counted.
    void skip(std::size_t size) { m_offset += size; }
    // Where the sequence the handler stopped at starts, counted from the
    // first byte fed.
    std::uint64_t errorOffset() const { return m_errorOffset; }

private:
    template <class Handler>
    std::size_t resumeCarried(const unsigned char* block, std::size_t size, Handler& handler);
    template <class Handler>
    bool stopAt(std::uint64_t offset, std::size_t count, Handler& handler);

    std::uint64_t m_offset = 0;  // bytes fed before the current block
    std::uint64_t m_errorOffset = 0;
    unsigned char m_carry[4] = {};  // the beginning of a sequence the last block cut off
    std::size_t m_carried = 0;
};

template <class Handler>
bool Reader::feed(std::string_view block, Handler& handler)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
    const std::size_t size = block.size();
    std::size_t i = m_carried > 0 ? resumeCarried(bytes, size, handler) : 0;
    if (i == std::size_t(-1))
        return false;
    while (i < size) {
        i += handler.run(bytes + i, size - i);
        if (i == size)
            break;
        const Sequence sequence = decodeSequence(bytes + i, size - i);
        if (sequence.status == Status::Complete) [[likely]] {
            handler.character(sequence, bytes + i);
            i += sequence.length;
        } else if (sequence.status == Status::Truncated) {
            m_carried = size - i;
            std::memcpy(m_carry, bytes + i, m_carried);
            break;
        } else if (!stopAt(m_offset + i, 1, handler)) {
            return false;
        } else {
            ++i;
        }
    }
    m_offset += size;
    return true;
}

// The carried sequence, completed from the start of the block: how many
// bytes of the block it took, or -1 when the handler stopped at it. When
// it turns out ill-formed, each of its carried bytes is ill-formed on its
// own (the bytes after a lead byte cannot begin a sequence), and the block
// is read anew from its start.
template <class Handler>
std::size_t Reader::resumeCarried(const unsigned char* block, std::size_t size, Handler& handler)
{
    const std::size_t had = m_carried;
    const std::size_t added = std::min(size, sizeof m_carry - had);
    unsigned char whole[sizeof m_carry] = {};
    std::memcpy(whole, m_carry, had);
    std::memcpy(whole + had, block, added);
    const Sequence sequence = decodeSequence(whole, had + added);
    if (sequence.status == Status::Truncated) {
        std::memcpy(m_carry, whole, had + added);
        m_carried = had + added;
        return size;
    }
    m_carried = 0;
    if (sequence.status == Status::Invalid)
        return stopAt(m_offset - had, had, handler) ? 0 : std::size_t(-1);
    handler.character(sequence, whole);
    return sequence.length - had;
}

template <class Handler>
bool Reader::finish(Handler& handler)
{
    const std::size_t carried = m_carried;
    m_carried = 0;
    return carried == 0 || stopAt(m_offset - carried, carried, handler);
}

template <class Handler>
bool Reader::stopAt(std::uint64_t offset, std::size_t count, Handler& handler)
{
    if (handler.invalid(count))
        return true;
    m_errorOffset = offset;
    return false;
}

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
    std::uint64_t errorOffset() const { return m_reader.errorOffset(); }

private:
    utf8::Reader m_reader;
};

}  // namespace tagora
