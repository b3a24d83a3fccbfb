#include "input_text/html_encoding.h"

#include "input_text/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tagora::html {
namespace {

struct EncodingLabels {
    std::string_view encoding;
    std::string_view labels;  // separated by single spaces
};

// Every encoding of the Encoding Standard with all its labels.
constexpr EncodingLabels kLabels[] = {
    {"UTF-8", "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf8 utf-8 x-unicode20utf8"},
    {"IBM866", "866 cp866 csibm866 ibm866"},
    {"ISO-8859-2",
     "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 "
     "iso_8859-2:1987 l2 latin2"},
    {"ISO-8859-3",
     "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 "
     "iso_8859-3:1988 l3 latin3"},
    {"ISO-8859-4",
     "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 "
     "iso_8859-4:1988 l4 latin4"},
    {"ISO-8859-5",
     "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 "
     "iso_8859-5 iso_8859-5:1988"},
    {"ISO-8859-6",
     "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 "
     "iso-8859-6 iso-8859-6-e iso-8859-6-i iso-ir-127 iso8859-6 iso88596 "
     "iso_8859-6 iso_8859-6:1987"},
    {"ISO-8859-7",
     "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 "
     "iso8859-7 iso88597 iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
    {"ISO-8859-8",
     "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 "
     "iso8859-8 iso88598 iso_8859-8 iso_8859-8:1988 visual"},
    {"ISO-8859-8-I", "csiso88598i iso-8859-8-i logical"},
    {"ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {"ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {"ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    {"ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"ISO-8859-16", "iso-8859-16"},
    {"KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    {"KOI8-U", "koi8-ru koi8-u"},
    {"macintosh", "csmacintosh mac macintosh x-mac-roman"},
    {"windows-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {"windows-1250", "cp1250 windows-1250 x-cp1250"},
    {"windows-1251", "cp1251 windows-1251 x-cp1251"},
    {"windows-1252",
     "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 "
     "iso-ir-100 iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 "
     "us-ascii windows-1252 x-cp1252"},
    {"windows-1253", "cp1253 windows-1253 x-cp1253"},
    {"windows-1254",
     "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 "
     "iso_8859-9:1989 l5 latin5 windows-1254 x-cp1254"},
    {"windows-1255", "cp1255 windows-1255 x-cp1255"},
    {"windows-1256", "cp1256 windows-1256 x-cp1256"},
    {"windows-1257", "cp1257 windows-1257 x-cp1257"},
    {"windows-1258", "cp1258 windows-1258 x-cp1258"},
    {"x-mac-cyrillic", "x-mac-cyrillic x-mac-ukrainian"},
    {"GBK",
     "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 "
     "x-gbk"},
    {"gb18030", "gb18030"},
    {"Big5", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {"EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    {"ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    {"Shift_JIS", "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {"EUC-KR",
     "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 "
     "ks_c_5601-1989 ksc5601 ksc_5601 windows-949"},
    {"replacement",
     "csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr "
     "replacement"},
    {"UTF-16BE", "unicodefffe utf-16be"},
    {"UTF-16LE", "csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16le utf-16"},
    {"x-user-defined", "x-user-defined"},
};

constexpr bool isAsciiWhitespace(char c)
{
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

constexpr bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase)
{
    return text.size() == lowerCase.size()
           && std::equal(text.begin(), text.end(), lowerCase.begin(),
                         [](char a, char b) { return asciiLower(a) == b; });
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isAsciiWhitespace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isAsciiWhitespace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool hasLabel(std::string_view labels, std::string_view label)
{
    while (!labels.empty()) {
        const std::size_t space = std::min(labels.find(' '), labels.size());
        if (equalsIgnoringCase(label, labels.substr(0, space)))
            return true;
        labels.remove_prefix(std::min(space + 1, labels.size()));
    }
    return false;
}

// The units of UTF-16 text in the given byte order.
struct Utf16Units {
    std::string_view bytes;
    bool littleEndian;

    std::size_t size() const { return bytes.size() / 2; }
    std::uint16_t operator[](std::size_t i) const
    {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<std::uint16_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
};

bool looksLikeUtf16(const Utf16Units& units)
{
    std::size_t belowU0100 = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint16_t unit = units[i];
        if (unit == 0)
            return false;
        if (unit < 0x100)
            ++belowU0100;
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool low = unit >= 0xDC00 && unit < 0xE000;
        if (low)
            return false;
        if (high) {
            if (i + 1 == units.size())
                break;  // its pair lies beyond the bytes looked at
            const std::uint16_t next = units[++i];
            if (next < 0xDC00 || next >= 0xE000)
                return false;
        }
    }
    return belowU0100 >= 2 && 2 * belowU0100 >= units.size();
}

// The prescan of the HTML standard ("prescan a byte stream to determine
// its encoding"), over the bytes it is given.
class Prescan {
public:
    explicit Prescan(std::string_view bytes) : m_bytes(bytes) {}

    MetaCharset run();

private:
    struct Attribute {
        std::string name;
        std::string value;
    };

    bool atEnd() const { return m_at >= m_bytes.size(); }
    char byte() const { return m_bytes[m_at]; }
    bool startsWith(std::string_view lowerCase) const
    {
        return equalsIgnoringCase(m_bytes.substr(m_at, lowerCase.size()), lowerCase);
    }
    // "<" and a letter, or "</" and a letter.
    bool startsTag() const
    {
        const std::string_view next = m_bytes.substr(m_at, 3);
        return next.size() >= 2 && next[0] == '<'
               && (isAsciiLetter(next[1]) || (next.size() == 3 && next[1] == '/' && isAsciiLetter(next[2])));
    }
    void skipPast(std::string_view text);
    void skipWhitespace();
    std::optional<Attribute> attribute();
    bool attributeValue(Attribute& attribute);
    bool unquotedValue(Attribute& attribute);
    std::optional<std::string_view> meta();
    void otherTag();
    void ignore(const std::string& label)
    {
        if (m_ignoredLabel.empty())
            m_ignoredLabel = trimmed(label);
    }

    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::string m_label;          // the label of the meta being read
    std::string m_ignoredLabel;   // the first one that named no encoding
};

MetaCharset Prescan::run()
{
    while (!atEnd()) {
        if (startsWith("<!--")) {
            m_at += 2;  // "-->" may share the dashes of "<!--"
            skipPast("-->");
        } else if (startsWith("<meta") && m_at + 5 < m_bytes.size()
                   && (isAsciiWhitespace(m_bytes[m_at + 5]) || m_bytes[m_at + 5] == '/')) {
            m_at += 6;
            if (const std::optional<std::string_view> encoding = meta())
                return {encoding, m_label};
        } else if (startsTag()) {
            otherTag();
        } else if (startsWith("<!") || startsWith("</") || startsWith("<?")) {
            skipPast(">");
        } else {
            ++m_at;
        }
    }
    return {std::nullopt, m_ignoredLabel};
}

void Prescan::skipPast(std::string_view text)
{
    const std::size_t found = m_bytes.find(text, m_at);
    m_at = found == std::string_view::npos ? m_bytes.size() : found + text.size();
}

void Prescan::skipWhitespace()
{
    while (!atEnd() && isAsciiWhitespace(byte()))
        ++m_at;
}

// A tag other than <meta>: its name, then its attributes, are skipped.
void Prescan::otherTag()
{
    while (!atEnd() && !isAsciiWhitespace(byte()) && byte() != '>')
        ++m_at;
    while (attribute()) {
    }
}

// "Get an attribute": nothing at the end of the tag or of the bytes.
std::optional<Prescan::Attribute> Prescan::attribute()
{
    while (!atEnd() && (isAsciiWhitespace(byte()) || byte() == '/'))
        ++m_at;
    if (atEnd() || byte() == '>')
        return std::nullopt;
    Attribute attribute;
    for (;; ++m_at) {
        if (atEnd())
            return std::nullopt;
        const char c = byte();
        if (c == '=' && !attribute.name.empty())
            break;
        if (isAsciiWhitespace(c)) {
            skipWhitespace();
            if (atEnd())
                return std::nullopt;
            if (byte() != '=')
                return attribute;
            break;
        }
        if (c == '/' || c == '>')
            return attribute;
        attribute.name += asciiLower(c);
    }
    ++m_at;  // past '='
    skipWhitespace();
    if (!attributeValue(attribute))
        return std::nullopt;
    return attribute;
}

// False when the bytes end inside the value.
bool Prescan::attributeValue(Attribute& attribute)
{
    if (atEnd())
        return false;
    const char quote = byte();
    if (quote == '"' || quote == '\'') {
        for (++m_at; !atEnd(); ++m_at) {
            if (byte() == quote) {
                ++m_at;
                return true;
            }
            attribute.value += asciiLower(byte());
        }
        return false;
    }
    if (quote == '>')
        return true;
    return unquotedValue(attribute);
}

bool Prescan::unquotedValue(Attribute& attribute)
{
    for (; !atEnd(); ++m_at) {
        if (isAsciiWhitespace(byte()) || byte() == '>')
            return true;
        attribute.value += asciiLower(byte());
    }
    return false;
}

// "Extracting a character encoding from a meta element": the label after
// "charset=" in a content attribute.
std::optional<std::string> labelInContent(std::string_view content)
{
    for (std::size_t at = 0;;) {
        const std::size_t found = content.find("charset", at);
        if (found == std::string_view::npos)
            return std::nullopt;
        at = found + 7;
        while (at < content.size() && isAsciiWhitespace(content[at]))
            ++at;
        if (at >= content.size() || content[at] != '=')
            continue;
        ++at;
        while (at < content.size() && isAsciiWhitespace(content[at]))
            ++at;
        if (at >= content.size())
            return std::nullopt;
        const char quote = content[at];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = content.find(quote, at + 1);
            if (end == std::string_view::npos)
                return std::nullopt;
            return std::string(content.substr(at + 1, end - at - 1));
        }
        std::size_t end = at;
        while (end < content.size() && !isAsciiWhitespace(content[end]) && content[end] != ';')
            ++end;
        return std::string(content.substr(at, end - at));
    }
}

// The attributes of one <meta>; the encoding it declares, if it declares
// one that browsers know.
std::optional<std::string_view> Prescan::meta()
{
    bool seen[3] = {};  // http-equiv, content, charset: only the first of each counts
    bool gotPragma = false;
    std::optional<bool> needPragma;
    std::optional<std::string_view> charset;
    bool charsetFailed = false;
    m_label.clear();
    while (const std::optional<Attribute> found = attribute()) {
        const std::string_view name = found->name;
        const int index = name == "http-equiv" ? 0 : name == "content" ? 1 : name == "charset" ? 2 : -1;
        if (index < 0 || seen[index])
            continue;
        seen[index] = true;
        if (index == 0) {
            gotPragma = gotPragma || found->value == "content-type";
        } else if (index == 1) {
            const std::optional<std::string> label = labelInContent(found->value);
            const std::optional<std::string_view> named = label ? encodingForLabel(*label) : std::nullopt;
            if (named && !charset && !charsetFailed) {
                charset = named;
                m_label = *label;
                needPragma = true;
            } else if (label && !named) {
                ignore(*label);
            }
        } else {
            charset = encodingForLabel(found->value);
            charsetFailed = !charset;
            m_label = found->value;
            needPragma = false;
        }
    }
    if (!needPragma || (*needPragma && !gotPragma))
        return std::nullopt;
    if (!charset) {
        ignore(m_label);
        return std::nullopt;
    }
    if (*charset == kUtf16LE || *charset == kUtf16BE)
        return kUtf8;
    if (*charset == kUserDefined)
        return kWindows1252;
    return charset;
}

}  // namespace

std::optional<std::string_view> encodingForLabel(std::string_view label)
{
    label = trimmed(label);
    if (label.empty())
        return std::nullopt;
    for (const EncodingLabels& entry : kLabels) {
        if (hasLabel(entry.labels, label))
            return entry.encoding;
    }
    return std::nullopt;
}

std::optional<ByteOrderMark> byteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return ByteOrderMark{kUtf8, 3};
    if (bytes.starts_with("\xFF\xFE"))
        return ByteOrderMark{kUtf16LE, 2};
    if (bytes.starts_with("\xFE\xFF"))
        return ByteOrderMark{kUtf16BE, 2};
    return std::nullopt;
}

std::optional<std::string_view> unmarkedUtf16(std::string_view start)
{
    start = start.substr(0, std::min(start.size(), kSniffSize) & ~std::size_t{1});
    const bool littleEndian = looksLikeUtf16({start, true});
    const bool bigEndian = looksLikeUtf16({start, false});
    if (littleEndian == bigEndian)  // neither, or both: no reading stands out
        return std::nullopt;
    return littleEndian ? kUtf16LE : kUtf16BE;
}

MetaCharset declaredCharset(std::string_view start)
{
    return Prescan(start.substr(0, std::min(start.size(), kSniffSize))).run();
}

std::optional<EncodingChoice> markedEncoding(std::string_view start)
{
    if (const std::optional<ByteOrderMark> mark = byteOrderMark(start))
        return EncodingChoice{mark->encoding, EncodingSource::ByteOrderMark, mark->size, {}};
    if (const std::optional<std::string_view> utf16 = unmarkedUtf16(start))
        return EncodingChoice{*utf16, EncodingSource::UnmarkedUtf16, 0, {}};
    return std::nullopt;
}

// A declaration of UTF-8 cannot be right for bytes that are not UTF-8,
// and an encoding browsers refuse is no better than none.
EncodingChoice unmarkedEncoding(std::string_view start, bool validUtf8)
{
    if (validUtf8)
        return {kUtf8, EncodingSource::Utf8, 0, {}};
    MetaCharset declared = declaredCharset(start);
    if (declared.encoding && *declared.encoding != kUtf8 && *declared.encoding != kReplacement)
        return {*declared.encoding, EncodingSource::Declared, 0, {}};
    return {kWindows1252, EncodingSource::Guessed, 0, std::move(declared.label)};
}

EncodingChoice chooseEncoding(std::string_view bytes)
{
    if (std::optional<EncodingChoice> marked = markedEncoding(bytes))
        return std::move(*marked);
    return unmarkedEncoding(bytes, firstInvalidUtf8(bytes) == std::string_view::npos);
}

}  // namespace tagora::html
