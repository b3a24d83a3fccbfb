// Text in an encoding other than strict UTF-8 turned into UTF-8 block by
// block, as browsers decode it: a byte that is not valid there becomes
// U+FFFD. Single-byte encodings and the multi-byte ones go through the C
// library's iconv; UTF-8 and UTF-16 are decoded here.
#pragma once

#include <iconv.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tagora::cli {

class Transcoder {
public:
    Transcoder() = default;
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;
    ~Transcoder();

    // The encoding by its name in html_encoding.h; false when the system
    // has no converter for it.
    bool open(std::string_view encoding);

    // The most bytes feed() writes for a block of the given size.
    static constexpr std::size_t maxFeedSize(std::size_t size) { return 3 * size + 32; }

    // Writes the UTF-8 text of the block at out and returns its end; a
    // sequence cut by the end of the block is completed by the next one.
    char* feed(std::string_view block, char* out);
    // A sequence cut off by the end of the text becomes U+FFFD.
    char* finish(char* out);
    // Some byte became U+FFFD.
    bool replaced() const { return m_replaced; }

private:
    enum class Kind { Utf8, Utf16LE, Utf16BE, SingleByte, UserDefined, MultiByte };

    std::size_t decode(const unsigned char* bytes, std::size_t size, char*& out);
    std::size_t decodeUtf8(const unsigned char* bytes, std::size_t size, char*& out);
    std::size_t decodeUtf16(const unsigned char* bytes, std::size_t size, char*& out);
    std::size_t decodeMultiByte(const unsigned char* bytes, std::size_t size, char*& out);
    bool buildSingleByteTable(std::string_view encoding);
    char* replacement(char* out);

    Kind m_kind = Kind::Utf8;
    iconv_t m_iconv = reinterpret_cast<iconv_t>(-1);
    std::array<char32_t, 128> m_upperHalf{};  // single-byte: 0x80-0xFF
    std::string m_carry;  // the start of a sequence cut by a block's end
    bool m_replaced = false;
};

}  // namespace tagora::cli
