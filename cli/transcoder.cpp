#include "transcoder.h"

#include "input_text/decoder_names.h"
#include "input_text/html_encoding.h"
#include "input_text/utf8.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace tagora::cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

// The one code point the byte stands for alone; kReplacement when none.
char32_t decodeAlone(iconv_t converter, unsigned char byte)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(byte)};
    char out[16];
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)
        || iconv(converter, nullptr, nullptr, &outPointer, &outLeft) == static_cast<std::size_t>(-1)
        || outPointer - out != 4)
        return kReplacement;
    char32_t codePoint = 0;
    for (int i = 3; i >= 0; --i)
        codePoint = codePoint << 8 | static_cast<unsigned char>(out[i]);
    return codePoint;
}

}  // namespace

Transcoder::~Transcoder()
{
    if (m_iconv != kNoConverter)
        iconv_close(m_iconv);
}

bool Transcoder::open(std::string_view encoding)
{
    if (encoding == html::kUtf8) {
        m_kind = Kind::Utf8;
        return true;
    }
    if (encoding == html::kUtf16LE || encoding == html::kUtf16BE) {
        m_kind = encoding == html::kUtf16LE ? Kind::Utf16LE : Kind::Utf16BE;
        return true;
    }
    if (encoding == html::kUserDefined) {
        m_kind = Kind::UserDefined;
        return true;
    }
    if (html::isMultiByte(encoding)) {
        m_kind = Kind::MultiByte;
        m_iconv = iconv_open("UTF-8", html::iconvName(encoding).c_str());
        return m_iconv != kNoConverter;
    }
    m_kind = Kind::SingleByte;
    return buildSingleByteTable(encoding);
}

// Windows code pages leave a few bytes undefined; browsers read those of
// 0x80-0x9F as the C1 control of the same number.
bool Transcoder::buildSingleByteTable(std::string_view encoding)
{
    const iconv_t converter = iconv_open("UTF-32LE", html::iconvName(encoding).c_str());
    if (converter == kNoConverter)
        return false;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        char32_t& codePoint = m_upperHalf[byte - 0x80];
        codePoint = decodeAlone(converter, static_cast<unsigned char>(byte));
        if (codePoint == kReplacement && byte < 0xA0 && encoding.starts_with("windows-"))
            codePoint = byte;
    }
    iconv_close(converter);
    for (const html::StandardByte& entry : html::kStandardBytes) {
        if (entry.encoding == encoding)
            m_upperHalf[entry.byte - 0x80] = entry.codePoint;
    }
    return true;
}

char* Transcoder::replacement(char* out)
{
    m_replaced = true;
    return utf8::encode(kReplacement, out);
}

char* Transcoder::feed(std::string_view block, char* out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
    if (m_carry.empty()) {
        const std::size_t used = decode(bytes, block.size(), out);
        m_carry.assign(block.substr(used));
        return out;
    }
    std::string joined = m_carry;
    joined.append(block);
    const std::size_t used = decode(reinterpret_cast<const unsigned char*>(joined.data()), joined.size(), out);
    m_carry.assign(joined, used);
    return out;
}

char* Transcoder::finish(char* out)
{
    // Qt's decoders, which the window uses, give one U+FFFD for each byte
    // of a UTF-8 sequence cut off, and one for any other cut sequence.
    const std::size_t replacements = m_kind == Kind::Utf8 ? m_carry.size() : !m_carry.empty();
    for (std::size_t i = 0; i < replacements; ++i)
        out = replacement(out);
    m_carry.clear();
    return out;
}

// Decodes what it can and returns how many bytes it used: the rest is a
// sequence cut by the end of the bytes.
std::size_t Transcoder::decode(const unsigned char* bytes, std::size_t size, char*& out)
{
    switch (m_kind) {
    case Kind::Utf8:
        return decodeUtf8(bytes, size, out);
    case Kind::Utf16LE:
    case Kind::Utf16BE:
        return decodeUtf16(bytes, size, out);
    case Kind::MultiByte:
        return decodeMultiByte(bytes, size, out);
    case Kind::SingleByte:
    case Kind::UserDefined:
        break;
    }
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        const char32_t codePoint = byte < 0x80              ? byte
                                   : m_kind == Kind::UserDefined ? 0xF780 + byte - 0x80
                                                                : m_upperHalf[byte - 0x80];
        out = codePoint == kReplacement ? replacement(out) : utf8::encode(codePoint, out);
    }
    return size;
}

// Each byte of an ill-formed sequence becomes one U+FFFD, as in Qt.
std::size_t Transcoder::decodeUtf8(const unsigned char* bytes, std::size_t size, char*& out)
{
    std::size_t i = 0;
    while (i < size) {
        const std::size_t ascii = utf8::asciiPrefix(bytes + i, size - i);
        std::memcpy(out, bytes + i, ascii);
        out += ascii;
        i += ascii;
        if (i == size)
            break;
        const utf8::Sequence sequence = utf8::decodeSequence(bytes + i, size - i);
        if (sequence.status == utf8::Status::Truncated)
            break;
        if (sequence.status == utf8::Status::Invalid) {
            out = replacement(out);
            ++i;
            continue;
        }
        std::memcpy(out, bytes + i, sequence.length);
        out += sequence.length;
        i += sequence.length;
    }
    return i;
}

// An unpaired surrogate becomes U+FFFD.
std::size_t Transcoder::decodeUtf16(const unsigned char* bytes, std::size_t size, char*& out)
{
    const bool little = m_kind == Kind::Utf16LE;
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(little ? bytes[i] | bytes[i + 1] << 8 : bytes[i] << 8 | bytes[i + 1]);
    };
    std::size_t i = 0;
    for (; i + 2 <= size; i += 2) {
        const char32_t unit = unitAt(i);
        if (unit < 0xD800 || unit >= 0xE000) {
            out = utf8::encode(unit, out);
        } else if (unit >= 0xDC00) {
            out = replacement(out);
        } else if (i + 4 > size) {
            break;  // its pair may follow
        } else if (const char32_t next = unitAt(i + 2); next >= 0xDC00 && next < 0xE000) {
            out = utf8::encode(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), out);
            i += 2;
        } else {
            out = replacement(out);
        }
    }
    return i;
}

std::size_t Transcoder::decodeMultiByte(const unsigned char* bytes, std::size_t size, char*& out)
{
    auto* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
    std::size_t inLeft = size;
    std::size_t outLeft = maxFeedSize(size);
    while (inLeft > 0) {
        const std::size_t result = iconv(m_iconv, &in, &inLeft, &out, &outLeft);
        if (result != static_cast<std::size_t>(-1) || errno == EINVAL)
            break;  // all done, or the rest is a cut sequence
        out = replacement(out);  // EILSEQ: one byte is skipped
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    return size - inLeft;
}

}  // namespace tagora::cli
