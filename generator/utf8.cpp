#include "utf8.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tagora {
namespace utf8 {
std::size_t asciiPrefix(const unsigned char* bytes, std::size_t size)
{
    std::size_t i = 0;
#ifdef __SSE2__
    for (; size - i >= 16; i += 16) {
        const auto high = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i))));
        if (high != 0)
            return i + static_cast<std::size_t>(std::countr_zero(high));
    }
#endif
    while (i < size && bytes[i] < 0x80)
        ++i;
    return i;
}

char* encode(char32_t value, char* out)
{
    if (value < 0x80) {
        *out++ = static_cast<char>(value);
        return out;
    }
    if (value < 0x800) {
        *out++ = static_cast<char>(0xC0 | (value >> 6));
    } else if (value < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (value >> 12));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (value >> 18));
        *out++ = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (value & 0x3F));
    return out;
}

void Carry::keep(const unsigned char* bytes, std::size_t size)
{
    std::memcpy(m_bytes, bytes, size);
    m_size = size;
}

Sequence Carry::resume(const unsigned char* block, std::size_t size, std::size_t& used)
{
    const std::size_t had = m_size;
    const std::size_t added = std::min(size, sizeof m_bytes - had);
    std::memcpy(m_bytes + had, block, added);
    const Sequence sequence = decodeSequence(m_bytes, had + added);
    used = 0;
    if (sequence.status == Status::Complete) {
        used = sequence.length - had;
        m_size = 0;
    } else if (sequence.status == Status::Truncated) {
        used = added;
        m_size = had + added;
    }
    return sequence;
}

}  // namespace utf8

std::size_t firstInvalidUtf8(std::string_view bytes)
{
    Utf8Validator validator;
    if (validator.feed(bytes) && validator.finish())
        return std::string_view::npos;
    return static_cast<std::size_t>(validator.errorOffset());
}

bool Utf8Validator::feed(std::string_view block)
{
    const auto* p = reinterpret_cast<const unsigned char*>(block.data());
    const std::size_t size = block.size();
    std::size_t i = 0;
    if (!m_carry.empty()) {
        const std::uint64_t start = m_offset - m_carry.size();
        const utf8::Sequence sequence = m_carry.resume(p, size, i);
        if (sequence.status == utf8::Status::Invalid) {
            m_errorOffset = start;
            return false;
        }
    }
    while (i < size) {
        if (p[i] < 0x80) {
            i += utf8::asciiPrefix(p + i, size - i);
            continue;
        }
        const utf8::Sequence sequence = utf8::decodeSequence(p + i, size - i);
        if (sequence.status == utf8::Status::Invalid) {
            m_errorOffset = m_offset + i;
            return false;
        }
        if (sequence.status == utf8::Status::Truncated) {
            m_carry.keep(p + i, size - i);
            break;
        }
        i += sequence.length;
    }
    m_offset += size;
    return true;
}

bool Utf8Validator::finish()
{
    if (m_carry.empty())
        return true;
    m_errorOffset = m_offset - m_carry.size();
    return false;
}

}  // namespace tagora
