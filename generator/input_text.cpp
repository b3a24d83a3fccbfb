#include "input_text.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tagora {
namespace {

char* putLineBreak(char* out)
{
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
}

// What the code unit at i stands for in the input text, or an empty view
// when it stays as it is (a CR LF pair included); next is where the text
// goes on.
std::u16string_view replacementAt(std::u16string_view text, std::size_t i, std::size_t& next)
{
    static constexpr char16_t kLineBreak[] = u"\r\n";
    static constexpr char16_t kReplacement[] = {static_cast<char16_t>(kReplacementCharacter)};
    const char16_t unit = text[i];
    next = i + 1;
    if (unit == u'\r' && next < text.size() && text[next] == u'\n') {
        next = i + 2;
        return {};
    }
    if (unit == u'\r' || unit == u'\n')
        return {kLineBreak, 2};
    switch (inputRule(unit)) {
    case InputRule::LineBreak:
        return {kLineBreak, 2};
    case InputRule::Replace:
        return {kReplacement, 1};
    case InputRule::Keep:
        break;
    }
    return {};
}

}  // namespace

std::size_t normalizedInputSize(std::u16string_view text)
{
    std::size_t size = 0;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        const std::u16string_view replacement = replacementAt(text, i, next);
        size += replacement.empty() ? next - i : replacement.size();
    }
    return size;
}

// Copies the runs that stay as they are whole, between the code units
// that change.
char16_t* normalizeInputText(std::u16string_view text, char16_t* out)
{
    std::size_t kept = 0;
    for (std::size_t i = 0, next = 0; i < text.size(); i = next) {
        const std::u16string_view replacement = replacementAt(text, i, next);
        if (replacement.empty())
            continue;
        out = std::copy(text.begin() + kept, text.begin() + i, out);
        out = std::copy(replacement.begin(), replacement.end(), out);
        kept = next;
    }
    return std::copy(text.begin() + kept, text.end(), out);
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

constexpr std::size_t kNotPlain = std::size_t(-1);

// The length of the sequence at the start of the bytes (its lead byte is
// not ASCII) when it is complete, well-formed and kept as it is by the
// rules; 0 otherwise.
std::size_t plainSequenceLength(const unsigned char* bytes, std::size_t available)
{
    const utf8::Sequence sequence = utf8::decodeSequence(bytes, available);
    if (sequence.status != utf8::Status::Complete || inputRule(sequence.codePoint) != InputRule::Keep
        || sequence.codePoint == kByteOrderMark)
        return 0;
    return sequence.length;
}

// Goes from bytes[i] to bytes[limit] or just beyond (to the end of a
// sequence), one character at a time, while each is plain: an LF only
// after a CR, a CR only before an LF, a sequence as above. Returns where
// it ended: before limit at the first character that is not plain (and
// crBefore is then left as it was).
std::size_t walkPlain(const unsigned char* bytes, std::size_t size, std::size_t i, std::size_t limit,
                      bool& crBefore)
{
    bool cr = crBefore;
    while (i < limit) {
        const unsigned char byte = bytes[i];
        if ((byte == '\n') != cr)
            return i;
        const std::size_t length = byte < 0x80 ? 1 : plainSequenceLength(bytes + i, size - i);
        if (length == 0)
            return i;
        cr = byte == '\r';
        i += length;
    }
    crBefore = cr;
    return i;
}

#ifdef __SSE2__
// The plain ASCII blocks of sixteen bytes from bytes[i] on, i > 0: each LF
// right after a CR and each CR right before an LF, which is the same as an
// LF in every place where the byte before is a CR. Returns where they end.
std::size_t plainAsciiBlocks(const unsigned char* bytes, std::size_t size, std::size_t i)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; size - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i - 1));
        const __m128i misplaced = _mm_xor_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(before, cr));
        if (_mm_movemask_epi8(_mm_or_si128(misplaced, block)) != 0)
            break;
    }
    return i;
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define TAGORA_HAS_AVX2_PATH 1
// The same, thirty-two bytes at a time.
__attribute__((target("avx2"))) std::size_t plainAsciiBlocksAvx2(const unsigned char* bytes, std::size_t size,
                                                                 std::size_t i)
{
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    for (; size - i >= 32; i += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
        const __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i - 1));
        const __m256i misplaced = _mm256_xor_si256(_mm256_cmpeq_epi8(block, lf), _mm256_cmpeq_epi8(before, cr));
        if (_mm256_movemask_epi8(_mm256_or_si256(misplaced, block)) != 0)
            break;
    }
    return i;
}

bool hasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

std::size_t skipPlainAscii(const unsigned char* bytes, std::size_t size, std::size_t i)
{
#ifdef TAGORA_HAS_AVX2_PATH
    if (hasAvx2())
        i = plainAsciiBlocksAvx2(bytes, size, i);
#endif
#ifdef __SSE2__
    i = plainAsciiBlocks(bytes, size, i);
#endif
    return i;
}

#ifdef __SSE2__
// Sixteen bytes from bytes[i] on, i > 0, some not ASCII: the line breaks
// checked at once, then each sequence that starts among them. Returns the
// end of the block or of a sequence that goes beyond it, or kNotPlain.
std::size_t plainMixedBlock(const unsigned char* bytes, std::size_t size, std::size_t i)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i - 1));
    const __m128i misplaced = _mm_xor_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n')),
                                            _mm_cmpeq_epi8(before, _mm_set1_epi8('\r')));
    if (_mm_movemask_epi8(misplaced) != 0)
        return kNotPlain;
    std::size_t end = i;  // of the last sequence
    for (auto high = static_cast<unsigned>(_mm_movemask_epi8(block)); high != 0; high &= high - 1) {
        const std::size_t k = i + static_cast<std::size_t>(std::countr_zero(high));
        if (k < end)
            continue;  // a continuation byte of that sequence
        const std::size_t length = plainSequenceLength(bytes + k, size - k);
        if (length == 0)
            return kNotPlain;
        end = k + length;
    }
    return std::max(i + 16, end);
}
#endif

// The length of the start of the bytes that is plain: blocks of ASCII at
// a time, then blocks with other bytes, the last few bytes (and those
// where the plain start ends) one by one. crBefore is updated when the
// whole is plain.
std::size_t plainPrefix(const unsigned char* bytes, std::size_t size, bool& crBefore)
{
    bool cr = crBefore;
    if (size == 0)
        return 0;
    std::size_t i = walkPlain(bytes, size, 0, 1, cr);  // from here on, a byte comes before
    if (i == 0)
        return 0;
#ifdef __SSE2__
    for (;;) {
        i = skipPlainAscii(bytes, size, i);
        if (size - i < 16)
            break;
        const std::size_t next = plainMixedBlock(bytes, size, i);
        if (next == kNotPlain)
            break;  // found again below, character by character
        i = next;
    }
    cr = bytes[i - 1] == '\r';
#endif
    i = walkPlain(bytes, size, i, size, cr);
    if (i == size)
        crBefore = cr;
    return i;
}

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
    bool crBefore = false;
    return plainPrefix(p, size, crBefore) == size;
}

// While the input is plain, its bytes are checked here at one go; from
// the first that is not, the validator takes over.
bool Utf8InputCheck::feed(std::string_view block)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
    std::size_t plain = 0;
    if (m_unchanged) {
        plain = completeCutCharacter(bytes, block.size());
        if (m_cutSize == 0)
            plain += plainPrefix(bytes + plain, block.size() - plain, m_crBefore);
        m_plainSize += plain;
        const bool crBeforeRest = plain > 0 ? bytes[plain - 1] == '\r' : m_crBefore;
        if (plain == block.size()
            || (m_cutSize == 0 && !crBeforeRest && keepCutCharacter(bytes + plain, block.size() - plain)))
            return true;
        m_unchanged = false;
        if (m_cutSize > 0 && !m_validator.feed({reinterpret_cast<const char*>(m_cut), m_cutSize}))
            return false;
    }
    return m_validator.feed(block.substr(plain));
}

// A character the last block cut off, completed from this one: how many
// of its bytes it took. When the character is not plain, it stays in
// m_cut for the validator.
std::size_t Utf8InputCheck::completeCutCharacter(const unsigned char* bytes, std::size_t size)
{
    if (m_cutSize == 0)
        return 0;
    const std::size_t taken = std::min(size, sizeof m_cut - m_cutSize);
    unsigned char whole[sizeof m_cut];
    std::memcpy(whole, m_cut, m_cutSize);
    std::memcpy(whole + m_cutSize, bytes, taken);
    const std::size_t length = plainSequenceLength(whole, m_cutSize + taken);
    if (length == 0 || length <= m_cutSize)
        return 0;
    const std::size_t used = length - m_cutSize;
    m_plainSize += m_cutSize;
    m_cutSize = 0;
    m_crBefore = false;
    return used;
}

// The end of a block that is the beginning of a character, which the next
// block may complete.
bool Utf8InputCheck::keepCutCharacter(const unsigned char* bytes, std::size_t size)
{
    if (size == 0 || size >= sizeof m_cut || utf8::decodeSequence(bytes, size).status != utf8::Status::Truncated)
        return false;
    std::memcpy(m_cut, bytes, size);
    m_cutSize = size;
    return true;
}

bool Utf8InputCheck::finish()
{
    if (m_unchanged && m_cutSize > 0) {
        m_unchanged = false;
        m_validator.feed({reinterpret_cast<const char*>(m_cut), m_cutSize});
    }
    if (m_unchanged) {
        m_unchanged = !m_crBefore;
        return true;
    }
    return m_validator.finish();
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
