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

// The sequence that starts at bytes[0] (a lead byte of 0x80 or above is
// expected; ASCII decodes too). Truncated: every byte present is a valid
// beginning, but the sequence goes on beyond the end of the bytes.
Sequence decodeSequence(const unsigned char* bytes, std::size_t available);

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
