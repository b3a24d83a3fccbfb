#include "input_text.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tagora {
namespace {

char* putLineBreak(char* out)
{
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
}

}  // namespace

std::u16string normalizedInputText(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            result.append(u"\r\n");
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        switch (inputRule(unit)) {
        case InputRule::Keep:
            result.push_back(unit);
            break;
        case InputRule::LineBreak:
            result.append(u"\r\n");
            break;
        case InputRule::Replace:
            result.push_back(static_cast<char16_t>(kReplacementCharacter));
            break;
        }
    }
    return result;
}

Utf8InputDecoder::Utf8InputDecoder(bool dropLeadingByteOrderMark)
    : m_dropByteOrderMark(dropLeadingByteOrderMark)
{
}

char* Utf8InputDecoder::putCodePoint(const utf8::Sequence& sequence, const unsigned char* bytes,
                                     char* out)
{
    const bool first = m_atStart;
    m_atStart = false;
    switch (inputRule(sequence.codePoint)) {
    case InputRule::LineBreak:
        return putLineBreak(out);
    case InputRule::Replace:
        return utf8::encode(kReplacementCharacter, out);
    case InputRule::Keep:
        break;
    }
    if (first && m_dropByteOrderMark && sequence.codePoint == kByteOrderMark)
        return out;
    std::memcpy(out, bytes, sequence.length);
    return out + sequence.length;
}

// Copies ASCII other than CR and LF sixteen bytes at a time and stops at
// the first byte that needs a closer look.
char* Utf8InputDecoder::putBlock(const unsigned char*& position, const unsigned char* end, char* out)
{
    const unsigned char* p = position;  // held in a register, not read back after each store
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                            _mm_cmpeq_epi8(block, _mm_set1_epi8('\n')));
        const auto stops = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(block, breaks)));
        if (stops != 0) {
            const int plain = std::countr_zero(stops);
            position = p + plain;
            return out + plain;
        }
        p += 16;
        out += 16;
    }
#endif
    while (p < end && *p < 0x80 && *p != '\r' && *p != '\n')
        *out++ = static_cast<char>(*p++);
    position = p;
    return out;
}

char* Utf8InputDecoder::feed(std::string_view block, char* out)
{
    const auto* const begin = reinterpret_cast<const unsigned char*>(block.data());
    const auto* const end = begin + block.size();
    const auto* p = begin;
    if (p < end && m_skipLineFeed && *p == '\n')
        ++p;
    m_skipLineFeed = false;
    if (!m_carry.empty()) {
        const std::uint64_t start = m_offset - m_carry.size();
        std::size_t used = 0;
        const utf8::Sequence sequence = m_carry.resume(p, static_cast<std::size_t>(end - p), used);
        if (sequence.status == utf8::Status::Invalid) {
            m_errorOffset = start;
            return nullptr;
        }
        if (sequence.status == utf8::Status::Complete)
            out = putCodePoint(sequence, m_carry.bytes(), out);  // the whole sequence
        p += used;
    }
    if (m_atStart && p < end && *p < 0x80)
        m_atStart = false;
    while (p < end) {
        out = putBlock(p, end, out);
        if (p == end)
            break;
        const unsigned char byte = *p;
        if (byte == '\r' || byte == '\n') {
            m_atStart = false;
            out = putLineBreak(out);
            ++p;
            if (byte == '\r') {
                if (p == end)
                    m_skipLineFeed = true;
                else if (*p == '\n')
                    ++p;
            }
            continue;
        }
        const utf8::Sequence sequence = utf8::decodeSequence(p, static_cast<std::size_t>(end - p));
        if (sequence.status == utf8::Status::Invalid) {
            m_errorOffset = m_offset + static_cast<std::uint64_t>(p - begin);
            return nullptr;
        }
        if (sequence.status == utf8::Status::Truncated) {
            m_carry.keep(p, static_cast<std::size_t>(end - p));
            break;
        }
        if (end - p >= 4 && !m_atStart && inputRule(sequence.codePoint) == InputRule::Keep) {
            std::memcpy(out, p, 4);  // the common case: copied as it is, four bytes at once
            out += sequence.length;
        } else {
            out = putCodePoint(sequence, p, out);
        }
        p += sequence.length;
    }
    m_offset += block.size();
    return out;
}

bool Utf8InputDecoder::finish()
{
    if (m_carry.empty())
        return true;
    m_errorOffset = m_offset - m_carry.size();
    return false;
}

}  // namespace tagora
