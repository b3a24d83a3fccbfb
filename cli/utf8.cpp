#include "utf8.h"

#include <cstdint>

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

void appendUtf16(std::u16string& out, char32_t value)
{
    if (value < 0x10000) {
        out.push_back(static_cast<char16_t>(value));
        return;
    }
    value -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
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

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (value >> 6)));
    } else if (value < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (value >> 12)));
        out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (value >> 18)));
        out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
}

}  // namespace

std::variant<std::u16string, Utf8Error> decodeUtf8(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text.push_back(byte);
            ++i;
            continue;
        }
        const CodePoint point = decodeMultiByte(bytes, i);
        if (point.length == 0)
            return Utf8Error{i};
        appendUtf16(text, point.value);
        i += point.length;
    }
    return text;
}

std::string encodeUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 4);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            bytes.push_back(static_cast<char>(text[i]));
            ++i;
            continue;
        }
        const auto [value, units] = codePointAt(text, i);
        appendUtf8(bytes, value);
        i += units;
    }
    return bytes;
}

}  // namespace tagora::cli
