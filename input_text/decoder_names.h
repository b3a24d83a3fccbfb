// The one table of what the two decoders call the encodings browsers
// define (html_encoding.h names them): ICU's names, through Qt, for the
// window, and the C library's iconv names for tagora-convert. An encoding
// not listed goes by its own name in ICU, and in iconv too, but for
// windows-NNNN, which iconv calls CPNNNN. Both decode the multi-byte
// encodings whole; tagora-convert reads a single-byte one through a table
// of its 128 upper bytes.
#pragma once

#include <string>
#include <string_view>

namespace tagora::html {

struct DecoderNames {
    std::string_view encoding;  // as html_encoding.h names it
    std::string_view icu;       // empty: the encoding's own name
    std::string_view iconv;     // empty: the encoding's own name, or CPNNNN
    bool multiByte;
};

inline constexpr DecoderNames kDecoderNames[] = {
    {"GBK", "gb18030", "GB18030", true},  // browsers decode GBK as GB18030
    {"gb18030", "", "GB18030", true},
    {"Big5", "Big5-HKSCS", "BIG5-HKSCS", true},
    {"EUC-JP", "", "EUC-JP", true},
    {"ISO-2022-JP", "", "ISO-2022-JP", true},
    {"Shift_JIS", "windows-31j", "WINDOWS-31J", true},
    {"EUC-KR", "windows-949", "CP949", true},
    {"ISO-8859-8-I", "", "ISO-8859-8", false},
    {"macintosh", "", "MACINTOSH", false},
    {"x-mac-cyrillic", "", "MAC-CYRILLIC", false},
    {"windows-874", "", "WINDOWS-874", false},
};

// The standard's reading of the bytes of single-byte encodings where the
// C library's or ICU's tables say otherwise; both decoders apply it.
struct StandardByte {
    std::string_view encoding;
    unsigned char byte;
    char32_t codePoint;  // U+FFFD: undefined
};

inline constexpr StandardByte kStandardBytes[] = {
    {"macintosh", 0xC6, 0x2206}, {"macintosh", 0xF0, 0xF8FF}, {"x-mac-cyrillic", 0xFF, 0x20AC},
    // The browsers' KOI8-U has the Belarusian short U, not box-drawing
    // characters; Hebrew point Holam Haser for Vav.
    {"KOI8-U", 0xAE, 0x045E}, {"KOI8-U", 0xBE, 0x040E}, {"windows-1255", 0xCA, 0x05BA},
    // Undefined in the standard; ICU has characters for them.
    {"windows-1253", 0xAA, 0xFFFD}, {"windows-874", 0xDB, 0xFFFD}, {"windows-874", 0xDC, 0xFFFD},
    {"windows-874", 0xDD, 0xFFFD}, {"windows-874", 0xDE, 0xFFFD}, {"windows-874", 0xFC, 0xFFFD},
    {"windows-874", 0xFD, 0xFFFD}, {"windows-874", 0xFE, 0xFFFD}, {"windows-874", 0xFF, 0xFFFD},
};

inline const DecoderNames* decoderNames(std::string_view encoding)
{
    for (const DecoderNames& names : kDecoderNames) {
        if (names.encoding == encoding)
            return &names;
    }
    return nullptr;
}

inline std::string icuName(std::string_view encoding)
{
    const DecoderNames* names = decoderNames(encoding);
    return std::string(names && !names->icu.empty() ? names->icu : encoding);
}

inline std::string iconvName(std::string_view encoding)
{
    if (const DecoderNames* names = decoderNames(encoding); names && !names->iconv.empty())
        return std::string(names->iconv);
    if (encoding.starts_with("windows-"))
        return "CP" + std::string(encoding.substr(8));
    return std::string(encoding);
}

inline bool isMultiByte(std::string_view encoding)
{
    const DecoderNames* names = decoderNames(encoding);
    return names && names->multiByte;
}

// Whether characters beyond ASCII are written with ASCII bytes (ISO-2022-JP
// shifts in and out with escapes): a server that decodes a page before
// reading its code (ASP) reads it otherwise than byte by byte.
inline bool writesCharactersInAscii(std::string_view encoding)
{
    return encoding == "ISO-2022-JP";
}

}  // namespace tagora::html
