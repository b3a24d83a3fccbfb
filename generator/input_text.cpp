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

namespace {

// True when the sequence at bytes[i] (a lead byte E2 or EF) is one that the
// rules change, or when the block cuts it off.
bool changesAt(const unsigned char* bytes, std::size_t size, std::size_t i)
{
    if (size - i < 3)
        return true;
    const char32_t codePoint = utf8::decodeSequence(bytes + i, 3).codePoint;
    return inputRule(codePoint) != InputRule::Keep || codePoint == kByteOrderMark;
}

#ifdef __SSE2__
unsigned bytesEqual(__m128i bytes, char c)
{
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

}  // namespace

// Every CR is followed by an LF and every LF follows a CR, within the block;
// nothing is carried in or out; the text is well-formed and holds no
// character the rules change.
bool Utf8InputDecoder::needsNoChange(std::string_view block) const
{
    const auto* const p = reinterpret_cast<const unsigned char*>(block.data());
    const std::size_t size = block.size();
    if (!m_carry.empty() || m_skipLineFeed || m_atStart || size == 0 || p[size - 1] == '\r')
        return false;
    unsigned crBefore = 0;  // the last byte looked at was a CR
    bool ascii = true;
    std::size_t i = 0;
#ifdef __SSE2__
    for (; size - i >= 16; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const unsigned crs = bytesEqual(bytes, '\r');
        if (bytesEqual(bytes, '\n') != (((crs << 1) | crBefore) & 0xFFFF))
            return false;
        crBefore = crs >> 15;
        if (_mm_movemask_epi8(bytes) == 0)
            continue;
        ascii = false;
        for (unsigned leads = bytesEqual(bytes, '\xE2') | bytesEqual(bytes, '\xEF'); leads != 0; leads &= leads - 1) {
            if (changesAt(p, size, i + static_cast<std::size_t>(std::countr_zero(leads))))
                return false;
        }
    }
#endif
    for (; i < size; ++i) {
        if ((p[i] == '\n') != (crBefore != 0))
            return false;
        crBefore = p[i] == '\r';
        if (p[i] >= 0x80) {
            ascii = false;
            if ((p[i] == 0xE2 || p[i] == 0xEF) && changesAt(p, size, i))
                return false;
        }
    }
    Utf8Validator validator;
    return ascii || (validator.feed(block) && validator.finish());
}

std::optional<std::string_view> Utf8InputDecoder::decode(std::string_view block, char* out)
{
    if (needsNoChange(block)) {
        m_offset += block.size();
        return block;
    }
    const char* const end = feed(block, out);
    if (!end)
        return std::nullopt;
    return std::string_view(out, static_cast<std::size_t>(end - out));
}

bool Utf8InputDecoder::finish()
{
    if (m_carry.empty())
        return true;
    m_errorOffset = m_offset - m_carry.size();
    return false;
}

}  // namespace tagora
