#include "sample_html.h"

#include <array>
#include <cstdint>
#include <random>
#include <string_view>

namespace tagora::bench {
namespace {

constexpr std::array<std::u16string_view, 32> kWords{
    u"the", u"price", u"of", u"a", u"café", u"crème", u"is", u"€4,50", u"naïve", u"Größe",
    u"Straße", u"“quoted”", u"déjà", u"vu", u"œuvre", u"©", u"2026", u"日本語", u"Привет",
    u"menu", u"order", u"today", u"with", u"and", u"—", u"100%", u"it's", u"O'Brien",
    u"ready", u"to", u"ship", u"😀"};

constexpr std::array<std::u16string_view, 8> kClasses{
    u"container", u"row", u"col-md-6", u"nav-item active", u"price-tag", u"footer",
    u"card shadow", u"btn btn-primary"};

constexpr std::array<std::u16string_view, 6> kNames{
    u"logo", u"hero_banner", u"user-photo", u"chart-2026", u"map", u"icon_cart"};

// Appends the pieces of one line from a seeded random stream.
class LineWriter {
public:
    explicit LineWriter(std::u16string& out) : out_(out) {}

    void line()
    {
        switch (pick(16)) {
        case 0: openDiv(); break;
        case 1: case 2: paragraph(); break;
        case 3: link(); break;
        case 4: image(); break;
        case 5: case 6: closeTag(); break;
        case 7: listItem(); break;
        case 8: scriptLine(); break;
        case 9: comment(); break;
        case 10: input(); break;
        case 11: break;  // an empty line
        case 12: tableRow(); break;
        default: text(); break;
        }
        out_.append(u"\r\n");
    }

private:
    std::size_t pick(std::size_t n) { return random_() % n; }
    std::u16string_view word() { return kWords[pick(kWords.size())]; }
    std::u16string_view className() { return kClasses[pick(kClasses.size())]; }
    std::u16string_view name() { return kNames[pick(kNames.size())]; }

    void put(std::u16string_view s) { out_.append(s); }
    void number() { putAscii(std::to_string(pick(2000))); }
    void putAscii(const std::string& s) { out_.append(s.begin(), s.end()); }

    void indent()
    {
        const std::size_t depth = pick(6);
        const bool tabs = pick(3) == 0;
        for (std::size_t i = 0; i < depth; ++i)
            put(tabs ? u"\t" : u"  ");
    }

    void words(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                put(u" ");
            put(word());
        }
    }

    void openDiv()
    {
        indent();
        put(u"<div class=\"");
        put(className());
        put(u"\" id=\"");
        put(name());
        put(u"\">");
    }
    void paragraph()
    {
        indent();
        put(u"<p>");
        words(4 + pick(10));
        put(u"</p>");
    }
    void link()
    {
        indent();
        put(u"<a href=\"https://www.example.com/");
        put(name());
        put(u"?id=");
        number();
        put(u"&amp;lang=fr\" title=\"");
        words(2 + pick(3));
        put(u"\">");
        words(1 + pick(4));
        put(u"</a>");
    }
    void image()
    {
        indent();
        put(u"<img src=\"images/");
        put(name());
        put(u".png\" alt=\"");
        words(1 + pick(3));
        put(u"\" width=\"");
        number();
        put(u"\" height=\"");
        number();
        put(u"\">");
    }
    void closeTag()
    {
        indent();
        put(pick(2) == 0 ? u"</div>" : u"</ul>");
    }
    void listItem()
    {
        indent();
        put(u"<li><span class=\"price\">");
        number();
        put(u",99 €</span> – ");
        words(2 + pick(5));
        put(u"</li>");
    }
    void scriptLine()
    {
        indent();
        put(u"<script>var path = \"C:\\\\data\\\\");
        put(name());
        put(u"\"; if (a && b) { total = $price * 2; }</script>");
    }
    void comment()
    {
        indent();
        put(u"<!-- ");
        words(3 + pick(5));
        put(u" -->");
    }
    void input()
    {
        indent();
        put(u"<input type=\"text\" name=\"");
        put(name());
        put(u"\" value=\"");
        words(1 + pick(2));
        put(u"\" required>");
    }
    void tableRow()
    {
        indent();
        put(u"<tr>\t<td>");
        words(1 + pick(2));
        put(u"</td>\t<td align=\"right\">");
        number();
        put(u"</td></tr>");
    }
    void text()
    {
        indent();
        words(3 + pick(12));
    }

    std::u16string& out_;
    std::mt19937 random_{20261206};
};

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string sampleHtml(std::size_t minUnits)
{
    std::u16string html;
    html.reserve(minUnits + 512);
    LineWriter writer(html);
    while (html.size() < minUnits)
        writer.line();
    return html;
}

std::size_t countLineBreaks(const std::u16string& text)
{
    std::size_t breaks = 0;
    for (std::size_t i = 1; i < text.size(); ++i)
        breaks += (text[i] == u'\n' && text[i - 1] == u'\r') ? 1 : 0;
    return breaks;
}

std::string toUtf8(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const char16_t low = text[++i];
            appendUtf8(out, 0x10000 + ((std::uint32_t(c) - 0xD800) << 10) + (low - 0xDC00));
        } else {
            appendUtf8(out, (isHighSurrogate(c) || isLowSurrogate(c)) ? 0xFFFD : c);
        }
    }
    return out;
}

}  // namespace tagora::bench
