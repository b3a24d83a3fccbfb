// A plain UTF-8 decoder and encoder for the fuzz harnesses, written from
// the definition of UTF-8 (RFC 3629, Unicode Table 3-7) and nothing else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fuzz {

struct Decoded {
    std::u16string text;  // what was decoded before the first bad sequence
    std::size_t firstInvalid = std::string_view::npos;  // its first byte
};

inline Decoded decodeUtf8(std::string_view bytes)
{
    Decoded decoded;
    for (std::size_t i = 0; i < bytes.size();) {
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
        if (!wellFormed || value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF)
            || value > 0x10FFFF) {
            decoded.firstInvalid = i;
            return decoded;
        }
        if (value < 0x10000) {
            decoded.text.push_back(char16_t(value));
        } else {
            decoded.text.push_back(char16_t(0xD800 + ((value - 0x10000) >> 10)));
            decoded.text.push_back(char16_t(0xDC00 + ((value - 0x10000) & 0x3FF)));
        }
        i += length;
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

}  // namespace fuzz
