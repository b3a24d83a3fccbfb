#include "utf8.h"

#include <algorithm>
#include <utility>

namespace tagora::cli {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;  // bytes taken; 0 when the sequence is ill-formed
};

constexpr bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The lead byte's sequence length and payload bits, and the range the
// second byte must lie in so that the sequence is neither overlong, nor a
// surrogate, nor above U+10FFFF.
struct LeadRule {
    std::size_t length;
    char32_t payload;
    unsigned char secondMin;
    unsigned char secondMax;
};

constexpr LeadRule leadRule(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, lead & 0x1Fu, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x0D, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, lead & 0x0Fu, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, lead & 0x07u, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 4, 0x80, 0x8F};
    return {0, 0, 0, 0};
}

CodePoint decodeMultiByte(std::string_view bytes, std::size_t at)
{
    const LeadRule rule = leadRule(static_cast<unsigned char>(bytes[at]));
    if (rule.length == 0 || bytes.size() - at < rule.length)
        return {0, 0};
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < rule.secondMin || second > rule.secondMax)
        return {0, 0};
    char32_t value = rule.payload;
    for (std::size_t k = 1; k < rule.length; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[at + k]);
        if (!isContinuation(byte))
            return {0, 0};
        value = (value << 6) | (byte & 0x3Fu);
    }
    return {value, rule.length};
}

char16_t* putUtf16(char16_t* out, char32_t value)
{
    if (value < 0x10000) {
        *out++ = static_cast<char16_t>(value);
        return out;
    }
    value -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (value >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    return out;
}

constexpr bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point at text[i], and how many code units it takes.
std::pair<char32_t, std::size_t> codePointAt(std::u16string_view text, std::size_t i)
{
    const char16_t unit = text[i];
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
        const char32_t high = unit - 0xD800u;
        const char32_t low = text[i + 1] - 0xDC00u;
        return {0x10000 + (high << 10) + low, 2};
    }
    if (isHighSurrogate(unit) || isLowSurrogate(unit))
        return {0xFFFD, 1};
    return {unit, 1};
}

// Writes a code point of U+0080 or above.
char* putUtf8(char* out, char32_t value)
{
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

// Every byte gives at most one code unit, and a line break at most two.
std::size_t decodedSizeBound(std::string_view bytes)
{
    return bytes.size() + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'))
           + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

std::size_t encodedSizeBound(std::u16string_view text)
{
    std::size_t size = 0;
    for (const char16_t unit : text)
        size += unit < 0x80 ? 1 : (unit < 0x800 ? 2 : 3);
    return size;
}

}  // namespace

// Both conversions write into a buffer of the largest size the result can
// have and then cut it to the size used: one allocation, no per-character
// capacity checks.

std::variant<std::u16string, Utf8Error> decodeUtf8WithCrLf(std::string_view bytes)
{
    std::u16string text(decodedSizeBound(bytes), u'\0');
    char16_t* out = text.data();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80) {
            const CodePoint point = decodeMultiByte(bytes, i);
            if (point.length == 0)
                return Utf8Error{i};
            out = putUtf16(out, point.value);
            i += point.length;
        } else if (byte == '\r' || byte == '\n') {
            *out++ = u'\r';
            *out++ = u'\n';
            i += (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        } else {
            *out++ = byte;
            ++i;
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::string encodeUtf8(std::u16string_view text)
{
    std::string bytes(encodedSizeBound(text), '\0');
    char* out = bytes.data();
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            *out++ = static_cast<char>(text[i]);
            ++i;
            continue;
        }
        const auto [value, units] = codePointAt(text, i);
        out = putUtf8(out, value);
        i += units;
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

}  // namespace tagora::cli
