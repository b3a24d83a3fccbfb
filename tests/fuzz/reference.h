// Plain references for the fuzz harnesses and the tests, each written from
// a published definition and nothing else: UTF-8 (RFC 3629, Unicode Table
// 3-7), the Windows-1252 code page, and the input text rules as the README
// states them. Slow and simple on purpose.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fuzz {

// The character at bytes[i]: its code point and length, or length 0 when
// no well-formed sequence starts there.
struct Character {
    char32_t value = 0;
    std::size_t length = 0;
};

inline Character characterAt(std::string_view bytes, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    // The lead byte's 1-bits before its first 0 give the length.
    const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 0x6 ? 2 : lead >> 4 == 0xE ? 3 : lead >> 3 == 0x1E ? 4 : 0;
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};  // shorter is overlong
    char32_t value = lead & (length == 1 ? 0x7F : 0xFF >> (length + 1));
    bool wellFormed = length != 0 && bytes.size() - i >= length;
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[i + k]);
        wellFormed = (byte & 0xC0) == 0x80;
        value = value << 6 | (byte & 0x3F);
    }
    if (!wellFormed || value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return {};
    return {value, length};
}

inline void appendUtf16(std::u16string& text, char32_t value)
{
    if (value < 0x10000) {
        text.push_back(char16_t(value));
    } else {
        text.push_back(char16_t(0xD800 + ((value - 0x10000) >> 10)));
        text.push_back(char16_t(0xDC00 + ((value - 0x10000) & 0x3FF)));
    }
}

struct Decoded {
    std::u16string text;  // what was decoded before the first bad sequence
    std::size_t firstInvalid = std::string_view::npos;  // its first byte
};

inline Decoded decodeUtf8(std::string_view bytes)
{
    Decoded decoded;
    for (std::size_t i = 0; i < bytes.size();) {
        const Character character = characterAt(bytes, i);
        if (character.length == 0) {
            decoded.firstInvalid = i;
            return decoded;
        }
        appendUtf16(decoded.text, character.value);
        i += character.length;
    }
    return decoded;
}

// Text as UTF-8; a lone surrogate comes out as the three bytes of its
// number, which no strict decoder accepts.
inline std::string encodeUtf8(std::u16string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t value = text[i];
        if (value >= 0xD800 && value <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF)
            value = 0x10000 + ((value - 0xD800) << 10) + (text[++i] - 0xDC00);
        const int length = value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
        static constexpr unsigned char kLeadBits[5] = {0, 0x00, 0xC0, 0xE0, 0xF0};
        bytes.push_back(char(kLeadBits[length] | value >> 6 * (length - 1)));
        for (int k = length - 2; k >= 0; --k)
            bytes.push_back(char(0x80 | (value >> 6 * k & 0x3F)));
    }
    return bytes;
}

// Windows-1252 bytes 0x80-0x9F and the characters they stand for. The
// five bytes the code page's table leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) are the C1 controls of the same number in Windows' own
// conversion, which the program's ANSI code follows. Every other byte
// stands for the code point of the same number.
inline int windows1252Code(char16_t unit)
{
    static constexpr char16_t kSpecials[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
    };
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        if (kSpecials[byte - 0x80] == unit)
            return byte;
    }
    return unit <= 0x7F || (unit >= 0xA0 && unit <= 0xFF) ? unit : 63;
}

// The listing: one space and the code of every UTF-16 code unit.
inline std::string listing(std::u16string_view text)
{
    std::string codes;
    for (const char16_t unit : text)
        codes += ' ' + std::to_string(windows1252Code(unit));
    return codes;
}

// The listing of UTF-8 bytes: each character as its UTF-16 code units, and
// each byte where no well-formed sequence starts as 63.
inline std::string listing(std::string_view bytes)
{
    std::string codes;
    for (std::size_t i = 0; i < bytes.size();) {
        const Character character = characterAt(bytes, i);
        if (character.length == 0) {
            codes += " 63";
            ++i;
            continue;
        }
        std::u16string units;
        appendUtf16(units, character.value);
        codes += listing(units);
        i += character.length;
    }
    return codes;
}

// The input text rules: every line break (CR LF, a lone CR or LF, U+2029)
// becomes CR LF, U+FDD0 and U+FDD1 become U+FFFD.
inline std::u16string inputText(std::u16string_view text)
{
    std::u16string result;
    result.reserve(2 * text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || c == u'\u2029') {
            result += u"\r\n";
            i += c == u'\r' && text.substr(i + 1).starts_with(u'\n');
        } else {
            result += c == u'\uFDD0' || c == u'\uFDD1' ? u'\uFFFD' : c;
        }
    }
    return result;
}

// The input text of UTF-8 bytes, which may begin with a byte-order mark
// that is not part of the text.
inline std::string inputText(std::string_view bytes)
{
    const std::u16string text = decodeUtf8(bytes).text;
    const bool byteOrderMark = !text.empty() && text[0] == 0xFEFF;
    return encodeUtf8(inputText(std::u16string_view(text).substr(byteOrderMark ? 1 : 0)));
}

}  // namespace fuzz
