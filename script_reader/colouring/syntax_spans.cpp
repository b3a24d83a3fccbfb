#include "syntax_spans.h"

#include "php_lexer.h"
#include "script_reader.h"
#include "vbscript_lexer.h"
#include "script_writer/heredoc_label.h"
#include "script_writer/target_rules.h"
#include "script_writer/descriptions/all.h"
#include "input_text/utf8.h"

#include <algorithm>
#include <array>
#include <string>

namespace tagora::syntax {
namespace {

using View = std::u16string_view;

bool isAsciiLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char32_t c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isBlank(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool startsWith(View text, std::size_t at, std::string_view ascii)
{
    if (text.size() - std::min(at, text.size()) < ascii.size())
        return false;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        if (text[at + i] != static_cast<char16_t>(ascii[i]))
            return false;
    }
    return true;
}

std::size_t find(View text, std::size_t from, std::string_view ascii)
{
    for (std::size_t at = from; at + ascii.size() <= text.size(); ++at) {
        if (startsWith(text, at, ascii))
            return at;
    }
    return View::npos;
}

void add(std::vector<Span>& spans, std::size_t begin, std::size_t end, Kind kind)
{
    if (begin < end)
        spans.push_back({begin, end, kind});
}

// ---- HTML ----------------------------------------------------------------

// The state of htmlLine: where the line starts (HtmlState, bits 0-3),
// which raw text element a tag being read or the text is in (RawElement,
// bits 4-5) and, inside one, the state of its code (CodeState, bits 6-7).
enum HtmlState { kText, kComment, kInTag, kDoubleQuoted, kSingleQuoted, kBang, kRawText };
enum RawElement { kNoRawElement, kScriptElement, kStyleElement };
enum CodeState { kInCode, kBlockComment, kTemplateString };

char16_t lowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool startsWithIgnoringCase(View text, std::size_t at, std::string_view ascii)
{
    if (text.size() - std::min(at, text.size()) < ascii.size())
        return false;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        if (lowerAscii(text[at + i]) != static_cast<char16_t>(ascii[i]))
            return false;
    }
    return true;
}

// Where "</script" or "</style" ends the element's text: followed by a
// blank, "/", ">" or the line's end, in any case, as HTML's tokenizer
// reads it: inside a string of the code too.
std::size_t rawTextEnd(View line, std::size_t from, std::string_view endTag)
{
    for (std::size_t at = from; at + endTag.size() <= line.size(); ++at) {
        if (!startsWithIgnoringCase(line, at, endTag))
            continue;
        const std::size_t after = at + endTag.size();
        if (after == line.size() || isBlank(line[after]) || line[after] == u'/' || line[after] == u'>')
            return at;
    }
    return View::npos;
}

bool isWordStart(char16_t c)
{
    return isAsciiLetter(c) || c == u'_' || c == u'$' || c >= 0x80;
}

bool isWordPart(char16_t c)
{
    return isWordStart(c) || isDigit(c);
}

// ECMAScript's reserved words that are keywords in every context.
bool isJavaScriptKeyword(View word)
{
    static constexpr std::array<std::u16string_view, 36> kKeywords{
        u"break",  u"case",     u"catch",  u"class",  u"const",      u"continue", u"debugger", u"default", u"delete",
        u"do",     u"else",     u"export", u"extends", u"false",     u"finally",  u"for",      u"function", u"if",
        u"import", u"in",       u"instanceof", u"new", u"null",      u"return",   u"super",    u"switch",  u"this",
        u"throw",  u"true",     u"try",    u"typeof", u"var",        u"void",     u"while",    u"with",    u"enum"};
    return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end();
}

// The code of a <script> (JavaScript) or <style> (CSS) element: its
// comments, strings, numbers and keywords (CSS: at-rules and !important).
// A block comment or a template string goes on over line ends.
class EmbeddedCode {
public:
    EmbeddedCode(View line, std::vector<Span>& spans, bool javaScript)
        : m_line(line), m_spans(spans), m_javaScript(javaScript)
    {
    }

    int run(std::size_t from, std::size_t to, int state)
    {
        m_at = from;
        m_end = to;
        if (state == kBlockComment)
            state = blockComment(false);
        else if (state == kTemplateString)
            state = quoted(u'`', m_at);
        while (m_at < m_end && state == kInCode)
            state = token();
        return state;
    }

private:
    int token()
    {
        const char16_t c = m_line[m_at];
        const char16_t next = m_at + 1 < m_end ? m_line[m_at + 1] : u'\0';
        if (c == u'/' && next == u'*')
            return blockComment(true);
        if (m_javaScript && c == u'/' && next == u'/') {
            add(m_spans, m_at, m_end, Kind::Comment);
            m_at = m_end;
            return kInCode;
        }
        if (c == u'"' || c == u'\'' || (m_javaScript && c == u'`'))
            return quoted(c, m_at++);
        if (isDigit(c) || (c == u'.' && isDigit(next)))
            return number();
        if (m_javaScript && c == u'/' && m_regexAllowed)
            return regex();
        if (isWordStart(c) || (!m_javaScript && (c == u'-' || c == u'@' || c == u'!')))
            return word();
        if (!isBlank(c))
            m_regexAllowed = c != u')' && c != u']' && c != u'}';
        ++m_at;
        return kInCode;
    }

    // A block comment from its "/*" at m_at, or going on from the line
    // before.
    int blockComment(bool opened)
    {
        const std::size_t begin = m_at;
        const std::size_t close = find(m_line.substr(0, m_end), m_at + (opened ? 2 : 0), "*/");
        m_at = close == View::npos ? m_end : close + 2;
        add(m_spans, begin, m_at, Kind::Comment);
        return close == View::npos ? kBlockComment : kInCode;
    }

    // A string from its opening quote at begin (or the line's start, for a
    // template string going on); a backslash escapes the next character.
    int quoted(char16_t quote, std::size_t begin)
    {
        while (m_at < m_end && m_line[m_at] != quote)
            m_at += m_line[m_at] == u'\\' ? 2 : 1;
        const bool closed = m_at < m_end;
        m_at = std::min(m_at + 1, m_end);
        add(m_spans, begin, m_at, Kind::String);
        m_regexAllowed = false;
        return !closed && quote == u'`' ? kTemplateString : kInCode;
    }

    // Digits, a fraction, an exponent with its sign, a hexadecimal or
    // BigInt suffix; in CSS its unit or %.
    int number()
    {
        const std::size_t begin = m_at;
        while (m_at < m_end) {
            const char16_t c = m_line[m_at];
            const bool sign = (c == u'+' || c == u'-') && (lowerAscii(m_line[m_at - 1]) == u'e')
                              && !(m_at >= begin + 2 && lowerAscii(m_line[begin + 1]) == u'x');
            if (!(isWordPart(c) || c == u'.' || sign || (!m_javaScript && c == u'%')))
                break;
            ++m_at;
        }
        add(m_spans, begin, m_at, Kind::Number);
        m_regexAllowed = false;
        return kInCode;
    }

    int regex()
    {
        const std::size_t begin = m_at++;
        bool inClass = false;
        while (m_at < m_end && (inClass || m_line[m_at] != u'/')) {
            if (m_line[m_at] == u'\\')
                ++m_at;
            else if (m_line[m_at] == u'[')
                inClass = true;
            else if (m_line[m_at] == u']')
                inClass = false;
            ++m_at;
        }
        m_at = std::min(m_at + 1, m_end);
        while (m_at < m_end && isWordPart(m_line[m_at]))
            ++m_at;  // flags
        add(m_spans, begin, m_at, Kind::String);
        m_regexAllowed = false;
        return kInCode;
    }

    int word()
    {
        const std::size_t begin = m_at++;
        while (m_at < m_end && (isWordPart(m_line[m_at]) || (!m_javaScript && m_line[m_at] == u'-')))
            ++m_at;
        const View word = m_line.substr(begin, m_at - begin);
        const bool keyword = m_javaScript ? isJavaScriptKeyword(word)
                                          : (word.size() > 1 && (word[0] == u'@' || word == u"!important"));
        if (keyword)
            add(m_spans, begin, m_at, Kind::Keyword);
        // After a keyword such as return a slash starts a regular
        // expression; after a name or this it divides.
        m_regexAllowed = keyword && word != u"this" && word != u"super" && word != u"true" && word != u"false"
                         && word != u"null";
        return kInCode;
    }

    View m_line;
    std::vector<Span>& m_spans;
    bool m_javaScript;
    std::size_t m_at = 0;
    std::size_t m_end = 0;
    bool m_regexAllowed = true;
};

class HtmlLine {
public:
    HtmlLine(View line, std::vector<Span>& spans) : m_line(line), m_spans(spans) {}

    int run(int state)
    {
        m_raw = (state >> 4) & 3;
        m_code = (state >> 6) & 3;
        state &= 15;
        while (m_at < m_line.size())
            state = step(state);
        return state | (m_raw << 4) | (m_code << 6);
    }

private:
    int step(int state)
    {
        switch (state) {
        case kRawText:
            return rawText();
        case kComment:
            return untilEnd("-->", Kind::HtmlComment, kComment);
        case kBang:
            return untilEnd(">", Kind::Doctype, kBang);
        case kInTag:
            return inTag();
        case kDoubleQuoted:
        case kSingleQuoted:
            return quotedValue(state == kDoubleQuoted ? u'"' : u'\'', state);
        default:
            return text();
        }
    }

    // The rest of a construct up to its end, which may lie on a later line.
    int untilEnd(std::string_view end, Kind kind, int open)
    {
        const std::size_t found = find(m_line, m_at, end);
        const std::size_t stop = found == View::npos ? m_line.size() : found + end.size();
        add(m_spans, m_at, stop, kind);
        m_at = stop;
        return found == View::npos ? open : kText;
    }

    int text()
    {
        const char16_t c = m_line[m_at];
        if (c == u'&')
            return entity();
        if (c != u'<') {
            ++m_at;
            return kText;
        }
        const char16_t next = m_at + 1 < m_line.size() ? m_line[m_at + 1] : u'\0';
        if (startsWith(m_line, m_at, "<!--"))
            return untilEnd("-->", Kind::HtmlComment, kComment);
        if (next == u'!' || next == u'?')
            return untilEnd(">", Kind::Doctype, kBang);
        const bool closing = next == u'/';
        if (!isAsciiLetter(closing ? (m_at + 2 < m_line.size() ? m_line[m_at + 2] : 0) : next)) {
            ++m_at;
            return kText;
        }
        const std::size_t begin = m_at;
        m_at += closing ? 2 : 1;
        while (m_at < m_line.size() && !isBlank(m_line[m_at]) && m_line[m_at] != u'>' && m_line[m_at] != u'/')
            ++m_at;
        add(m_spans, begin, m_at, Kind::Tag);
        m_raw = closing ? kNoRawElement : rawElementNamed(m_line.substr(begin + 1, m_at - begin - 1));
        return kInTag;
    }

    static int rawElementNamed(View name)
    {
        if (name.size() == 6 && startsWithIgnoringCase(name, 0, "script"))
            return kScriptElement;
        if (name.size() == 5 && startsWithIgnoringCase(name, 0, "style"))
            return kStyleElement;
        return kNoRawElement;
    }

    // The text of a <script> or <style> element, coloured as its code, up
    // to its end tag.
    int rawText()
    {
        const std::size_t end = rawTextEnd(m_line, m_at, m_raw == kScriptElement ? "</script" : "</style");
        const std::size_t stop = end == View::npos ? m_line.size() : end;
        m_code = EmbeddedCode(m_line, m_spans, m_raw == kScriptElement).run(m_at, stop, m_code);
        m_at = stop;
        if (end == View::npos)
            return kRawText;
        m_raw = kNoRawElement;
        m_code = kInCode;
        return kText;
    }

    int entity()
    {
        std::size_t end = m_at + 1;
        while (end < m_line.size() && end - m_at < 40
               && (isAsciiLetter(m_line[end]) || isDigit(m_line[end]) || m_line[end] == u'#'))
            ++end;
        if (end < m_line.size() && m_line[end] == u';' && end > m_at + 1) {
            add(m_spans, m_at, end + 1, Kind::Entity);
            m_at = end + 1;
        } else {
            ++m_at;
        }
        return kText;
    }

    int inTag()
    {
        const char16_t c = m_line[m_at];
        if (isBlank(c)) {
            ++m_at;
            return kInTag;
        }
        if (c == u'>' || (c == u'/' && m_at + 1 < m_line.size() && m_line[m_at + 1] == u'>')) {
            const std::size_t end = m_at + (c == u'>' ? 1 : 2);
            add(m_spans, m_at, end, Kind::Tag);
            m_at = end;
            return m_raw == kNoRawElement ? kText : kRawText;  // <script/> opens one too
        }
        if (c == u'=')
            return value();
        const std::size_t begin = m_at;
        while (m_at < m_line.size() && !isBlank(m_line[m_at]) && m_line[m_at] != u'>' && m_line[m_at] != u'='
               && !(m_line[m_at] == u'/' && m_at > begin))
            ++m_at;
        if (m_at == begin)
            ++m_at;
        add(m_spans, begin, m_at, Kind::Attribute);
        return kInTag;
    }

    // After "=": a quoted or bare value.
    int value()
    {
        ++m_at;
        while (m_at < m_line.size() && isBlank(m_line[m_at]))
            ++m_at;
        if (m_at == m_line.size())
            return kInTag;
        const char16_t c = m_line[m_at];
        if (c == u'"' || c == u'\'') {
            m_valueStart = m_at++;
            return quotedValue(c, c == u'"' ? kDoubleQuoted : kSingleQuoted);
        }
        const std::size_t begin = m_at;
        while (m_at < m_line.size() && !isBlank(m_line[m_at]) && m_line[m_at] != u'>')
            ++m_at;
        add(m_spans, begin, m_at, Kind::AttributeValue);
        return kInTag;
    }

    int quotedValue(char16_t quote, int open)
    {
        const std::size_t begin = std::min(m_valueStart, m_at);
        while (m_at < m_line.size() && m_line[m_at] != quote)
            ++m_at;
        const bool closed = m_at < m_line.size();
        m_at += closed ? 1 : 0;
        add(m_spans, begin, m_at, Kind::AttributeValue);
        m_valueStart = View::npos;
        return closed ? kInTag : open;
    }

    View m_line;
    std::vector<Span>& m_spans;
    std::size_t m_at = 0;
    std::size_t m_valueStart = View::npos;
    int m_raw = kNoRawElement;
    int m_code = kInCode;
};

// ---- This program's scripts ---------------------------------------------

// How a target's strings are written, as its description says.
struct Language {
    const rules::Frame& frame;
    char16_t quote = 0;         // what opens and closes a string; 0: a nowdoc
    bool backslashes = false;   // \ starts an escape
    bool doubledQuote = false;  // "" is a quote
    bool interpolates = false;  // $name in a string is a variable
    std::string_view comment;   // what starts a comment in code
};

Language languageOf(Target target)
{
    return rules::withDescription(target, Escaping::Exact, [](auto description) {
        using D = decltype(description);
        Language language{D::frame, 0, false, false, false, {}};
        const std::string_view open = D::frame.open;
        if (!open.empty() && (open.back() == '"' || open.back() == '`'))
            language.quote = static_cast<char16_t>(open.back());
        language.backslashes = !D::escapes.ascii['\\'].empty();
        language.doubledQuote = D::escapes.ascii['"'] == "\"\"";
        language.interpolates = !D::escapes.ascii['$'].empty();
        std::string_view comment = D::frame.commentPrefix;
        while (!comment.empty() && comment.back() == ' ')
            comment.remove_suffix(1);
        language.comment = comment;
        return language;
    });
}

// The state of scriptLine: where the line starts, and for a nowdoc the
// number of its label's digits ("HTML" 0, "HTML7" 8).
enum ScriptState { kStart, kCode, kInString, kInNowdoc };
constexpr int kModeBits = 4;

bool isWordCharacter(char16_t c)
{
    return isAsciiLetter(c) || isDigit(c) || c == u'_' || c == u'$' || c == u'.';
}

class ScriptLine {
public:
    ScriptLine(const Language& language, View line, std::vector<Span>& spans)
        : m_language(language), m_line(line), m_spans(spans)
    {
    }

    int run(int state)
    {
        const int mode = state & ((1 << kModeBits) - 1);
        if (mode == kStart && isHeaderLine()) {
            add(m_spans, 0, m_line.size(), Kind::Header);
            return kStart;
        }
        if (mode == kInNowdoc)
            return nowdocLine(state >> kModeBits);
        int next = mode == kInString ? kInString : kCode;
        while (m_at < m_line.size())
            next = next == kInString ? inString() : inCode();
        return next;
    }

private:
    bool isHeaderLine() const
    {
        const rules::Frame& frame = m_language.frame;
        if (m_line.empty())
            return true;
        if (!frame.firstLine.empty() && startsWith(m_line, 0, frame.firstLine) && m_line.size() == frame.firstLine.size())
            return true;
        if (!frame.footer.empty() && startsWith(m_line, 0, frame.footer) && m_line.size() == frame.footer.size())
            return true;
        return !m_language.comment.empty() && startsWith(m_line, 0, m_language.comment);
    }

    int inCode()
    {
        const char16_t c = m_line[m_at];
        if (!m_language.comment.empty() && startsWith(m_line, m_at, m_language.comment)) {
            add(m_spans, m_at, m_line.size(), Kind::Comment);
            m_at = m_line.size();
            return kCode;
        }
        if (c == m_language.quote && c != 0) {
            m_stringStart = m_at++;
            return kInString;
        }
        if (startsWith(m_line, m_at, "<<<"))
            return nowdocStart();
        if (isDigit(c))
            return word(Kind::Number);
        if (isWordCharacter(c))
            return word(Kind::Keyword);
        if (startsWith(m_line, m_at, "?>") || startsWith(m_line, m_at, "%>")) {
            add(m_spans, m_at, m_at + 2, Kind::Header);
            m_at += 2;
            return kCode;
        }
        ++m_at;
        return kCode;
    }

    // A name followed by "=" is the variable being set; other names are
    // the language's words (echo, Response.Write, print, const).
    int word(Kind kind)
    {
        const std::size_t begin = m_at;
        while (m_at < m_line.size() && isWordCharacter(m_line[m_at]))
            ++m_at;
        std::size_t after = m_at;
        while (after < m_line.size() && m_line[after] == u' ')
            ++after;
        const bool assigned = after < m_line.size() && m_line[after] == u'='
                              && (after + 1 == m_line.size() || m_line[after + 1] != u'=');
        add(m_spans, begin, m_at, kind == Kind::Keyword && assigned ? Kind::Variable : kind);
        return kCode;
    }

    int nowdocStart()
    {
        const std::size_t begin = m_at;
        m_at += 3;
        const bool quoted = m_at < m_line.size() && m_line[m_at] == u'\'';
        m_at += quoted ? 1 : 0;
        const std::size_t label = m_at;
        while (m_at < m_line.size() && (isAsciiLetter(m_line[m_at]) || isDigit(m_line[m_at]) || m_line[m_at] == u'_'))
            ++m_at;
        const std::size_t labelEnd = m_at;
        m_at += quoted && m_at < m_line.size() && m_line[m_at] == u'\'' ? 1 : 0;
        add(m_spans, begin, m_at, Kind::String);
        const std::size_t digits = labelEnd - std::min(labelEnd, label + kHeredocLabelStem.size());
        return kInNowdoc | static_cast<int>(std::min<std::size_t>(digits, 100) << kModeBits);
    }

    // A line of the nowdoc's text, or its closing label.
    int nowdocLine(int labelDigits)
    {
        std::size_t at = 0;
        while (at < m_line.size() && (m_line[at] == u' ' || m_line[at] == u'\t'))
            ++at;
        std::size_t end = at;
        if (startsWith(m_line, at, kHeredocLabelStem)) {
            end = at + kHeredocLabelStem.size();
            while (end < m_line.size() && isDigit(m_line[end]))
                ++end;
        }
        const bool closes = end > at && end - at == kHeredocLabelStem.size() + static_cast<std::size_t>(labelDigits)
                            && (end == m_line.size() || !(isAsciiLetter(m_line[end]) || isDigit(m_line[end])
                                                          || m_line[end] == u'_' || m_line[end] >= 0x80));
        if (!closes) {
            add(m_spans, 0, m_line.size(), Kind::String);
            return kInNowdoc | (labelDigits << kModeBits);
        }
        add(m_spans, at, end, Kind::String);
        m_at = end;
        int next = kCode;
        while (m_at < m_line.size())
            next = next == kInString ? inString() : inCode();
        return next;
    }

    int inString()
    {
        std::size_t begin = std::min(m_stringStart, m_at);
        m_stringStart = View::npos;
        while (m_at < m_line.size()) {
            const char16_t c = m_line[m_at];
            if (c == u'\\' && m_language.backslashes) {
                add(m_spans, begin, m_at, Kind::String);
                begin = m_at = backslashEscape();
                continue;
            }
            const char16_t next = m_at + 1 < m_line.size() ? m_line[m_at + 1] : u'\0';
            const bool interpolation = (c == u'$' && (isAsciiLetter(next) || next == u'_' || next == u'{'))
                                       || (c == u'{' && next == u'$');
            if (interpolation && m_language.interpolates) {
                add(m_spans, begin, m_at, Kind::String);
                begin = m_at = variable();
                continue;
            }
            if (c != m_language.quote) {
                ++m_at;
                continue;
            }
            if (m_language.doubledQuote && m_at + 1 < m_line.size() && m_line[m_at + 1] == c) {
                add(m_spans, begin, m_at, Kind::String);
                begin = m_at = quoteEscape();
                continue;
            }
            add(m_spans, begin, ++m_at, Kind::String);
            return kCode;
        }
        add(m_spans, begin, m_at, Kind::String);
        return kInString;
    }

    // \n, \\, \xNN, \u00E9, \u{...}, \012: the backslash and what it takes.
    std::size_t backslashEscape()
    {
        std::size_t end = std::min(m_at + 2, m_line.size());
        const char16_t kind = end == m_at + 2 ? m_line[m_at + 1] : u'\0';
        const auto extend = [&](std::size_t most, auto accepts) {
            while (end < m_line.size() && most-- > 0 && accepts(m_line[end]))
                ++end;
        };
        if (kind == u'x')
            extend(2, isHexDigit);
        else if (kind == u'u' && end < m_line.size() && m_line[end] == u'{')
            extend(10, [](char16_t c) { return c == u'{' || c == u'}' || isHexDigit(c); });
        else if (kind == u'u')
            extend(4, isHexDigit);
        else if (kind >= u'0' && kind <= u'7')
            extend(2, [](char16_t c) { return c >= u'0' && c <= u'7'; });
        add(m_spans, m_at, end, Kind::Escape);
        return end;
    }

    // "" in a VBScript string; and " & vbCr & " and the like, where the
    // string is closed, a constant joined and the string opened again.
    std::size_t quoteEscape()
    {
        std::size_t end = m_at + 2;
        add(m_spans, m_at, end, Kind::Escape);
        return end;
    }

    // $name, ${name} or {$name...}.
    std::size_t variable()
    {
        if (m_line[m_at] == u'{') {
            const std::size_t close = m_line.find(u'}', m_at);
            const std::size_t end = close == View::npos ? m_line.size() : close + 1;
            add(m_spans, m_at, end, Kind::Variable);
            return end;
        }
        std::size_t end = m_at + 1;
        while (end < m_line.size() && (isAsciiLetter(m_line[end]) || isDigit(m_line[end]) || m_line[end] == u'_'
                                       || m_line[end] == u'{' || m_line[end] >= 0x80))
            ++end;
        add(m_spans, m_at, end, Kind::Variable);
        return end;
    }

    const Language& m_language;
    View m_line;
    std::vector<Span>& m_spans;
    std::size_t m_at = 0;
    std::size_t m_stringStart = View::npos;
};

// ---- PHP and ASP pages ---------------------------------------------------

// The page in UTF-8, and where each of its bytes stands in the UTF-16 text.
struct Utf8Page {
    std::string bytes;
    std::vector<std::uint32_t> unitAt;  // one per byte, and one for the end

    explicit Utf8Page(View text)
    {
        bytes.reserve(text.size());
        unitAt.reserve(text.size() + 1);
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            const std::size_t start = i;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            else if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD;
            char encoded[4];
            const char* const end = utf8::encode(c, encoded);
            bytes.append(encoded, static_cast<std::size_t>(end - encoded));
            unitAt.resize(bytes.size(), static_cast<std::uint32_t>(start));
        }
        unitAt.push_back(static_cast<std::uint32_t>(text.size()));
    }
};

// Spans in byte offsets, turned into UTF-16 offsets at the end.
class PageColours {
public:
    explicit PageColours(const Utf8Page& page) : m_page(page) {}

    void add(std::size_t begin, std::size_t end, Kind kind) { syntax::add(m_spans, begin, end, kind); }

    // HTML between code islands; the HTML state carries over an island
    // (<a href="<?= $x ?>">).
    void html(std::size_t begin, std::size_t end)
    {
        std::u16string line;
        std::size_t lineStart = begin;
        for (std::size_t at = begin; at <= end; ++at) {
            if (at < end && m_page.bytes[at] != '\n')
                continue;
            htmlPiece(lineStart, at);
            lineStart = at + 1;
        }
    }

    std::vector<Span> spans() &&
    {
        for (Span& span : m_spans) {
            span.begin = m_page.unitAt[span.begin];
            span.end = m_page.unitAt[span.end];
        }
        return std::move(m_spans);
    }

private:
    // Bytes of one line, coloured as HTML: ASCII decides everything HTML
    // colours, so each byte stands for a unit here.
    void htmlPiece(std::size_t begin, std::size_t end)
    {
        std::u16string units(end - begin, u' ');
        for (std::size_t i = begin; i < end; ++i) {
            const auto byte = static_cast<unsigned char>(m_page.bytes[i]);
            units[i - begin] = byte < 0x80 ? byte : u'x';
        }
        std::vector<Span> pieces;
        m_htmlState = HtmlLine(units, pieces).run(m_htmlState);
        for (const Span& piece : pieces)
            add(begin + piece.begin, begin + piece.end, piece.kind);
    }

    const Utf8Page& m_page;
    std::vector<Span> m_spans;
    int m_htmlState = kText;
};

bool isPhpKeyword(std::string_view word)
{
    static constexpr std::array<std::string_view, 75> kKeywords{
        "abstract", "and", "array", "as", "break", "callable", "case", "catch", "class", "clone", "const",
        "continue", "declare", "default", "do", "echo", "else", "elseif", "empty", "enddeclare", "endfor",
        "endforeach", "endif", "endswitch", "endwhile", "enum", "eval", "exit", "die", "extends", "final",
        "finally", "fn", "for", "foreach", "function", "global", "goto", "if", "implements", "include",
        "include_once", "instanceof", "insteadof", "interface", "isset", "list", "match", "namespace", "new",
        "or", "print", "private", "protected", "public", "readonly", "require", "require_once", "return",
        "static", "switch", "throw", "trait", "try", "unset", "use", "var", "while", "xor", "yield", "true",
        "false", "null", "self", "parent",
    };
    std::string lower(word);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return std::find(kKeywords.begin(), kKeywords.end(), lower) != kKeywords.end();
}

bool isVbscriptKeyword(std::string_view word)
{
    static constexpr std::array<std::string_view, 56> kKeywords{
        "and", "byref", "byval", "call", "case", "class", "const", "dim", "do", "each", "else", "elseif",
        "empty", "end", "eqv", "erase", "error", "exit", "explicit", "false", "for", "function", "get",
        "goto", "if", "imp", "in", "is", "let", "loop", "mod", "new", "next", "not", "nothing", "null", "on",
        "option", "or", "preserve", "private", "property", "public", "redim", "resume", "select", "set",
        "step", "sub", "then", "to", "true", "until", "wend", "while", "with",
    };
    return std::any_of(kKeywords.begin(), kKeywords.end(),
                       [word](std::string_view keyword) { return vbscript::sameWord(word, keyword); });
}

// A VBScript string, its "" escapes apart.
void doubledQuotes(PageColours& colours, std::string_view page, std::size_t begin, std::size_t end)
{
    std::size_t from = begin;
    for (std::size_t at = begin + 1; at + 2 < end; ++at) {
        if (page[at] == '"' && page[at + 1] == '"') {
            colours.add(from, at, Kind::String);
            colours.add(at, at + 2, Kind::Escape);
            from = at + 2;
            ++at;
        }
    }
    colours.add(from, end, Kind::String);
}

// A single-quoted PHP string: only \\ and \' are escapes there.
void singleQuoted(PageColours& colours, std::string_view page, std::size_t begin, std::size_t end)
{
    std::size_t from = begin;
    for (std::size_t at = begin + 1; at + 2 < end; ++at) {
        if (page[at] == '\\' && (page[at + 1] == '\\' || page[at + 1] == '\'')) {
            colours.add(from, at, Kind::String);
            colours.add(at, at + 2, Kind::Escape);
            from = at + 2;
            ++at;
        }
    }
    colours.add(from, end, Kind::String);
}

// Escapes in the raw text of a double-quoted string or heredoc, as PHP
// reads them: \n \t \r \v \e \f \\ \$ \" (not in a heredoc), octal, \x, \u{}.
void phpEscapes(PageColours& colours, std::string_view page, std::size_t begin, std::size_t end, bool heredoc)
{
    std::size_t from = begin;
    for (std::size_t at = begin; at + 1 < end; ++at) {
        if (page[at] != '\\')
            continue;
        const char c = page[at + 1];
        std::size_t stop = at + 2;
        const auto extend = [&](std::size_t most, auto accepts) {
            while (stop < end && most-- > 0 && accepts(static_cast<unsigned char>(page[stop])))
                ++stop;
        };
        if (c == 'x' && at + 2 < end && isHexDigit(static_cast<unsigned char>(page[at + 2])))
            extend(2, isHexDigit);
        else if (c >= '0' && c <= '7')
            extend(2, [](unsigned char d) { return d >= '0' && d <= '7'; });
        else if (c == 'u' && at + 2 < end && page[at + 2] == '{')
            extend(12, [](unsigned char d) { return d == '{' || d == '}' || isHexDigit(d); });
        else if (std::string_view("ntrvef\\$").find(c) == std::string_view::npos && (heredoc || c != '"'))
            continue;
        colours.add(from, at, Kind::String);
        colours.add(at, stop, Kind::Escape);
        from = stop;
        at = stop - 1;
    }
    colours.add(from, end, Kind::String);
}

// Whitespace and comments make no PHP tokens: what is not blank between two
// tokens of code is a comment.
void phpGap(PageColours& colours, std::string_view page, std::size_t begin, std::size_t end)
{
    while (begin < end && php::isSpace(page[begin]))
        ++begin;
    while (end > begin && php::isSpace(page[end - 1]))
        --end;
    colours.add(begin, end, Kind::Comment);
}

void phpToken(PageColours& colours, std::string_view page, const php::Token& token, std::vector<bool>& heredocs)
{
    using php::TokenKind;
    const std::string_view text = page.substr(token.begin, token.end - token.begin);
    switch (token.kind) {
    case TokenKind::InlineHtml:
        return colours.html(token.begin, token.end);
    case TokenKind::OpenTag:
    case TokenKind::OpenTagWithEcho:
    case TokenKind::CloseTag:
        return colours.add(token.begin, token.end, Kind::CodeIsland);
    case TokenKind::Name:
        if (isPhpKeyword(text))
            colours.add(token.begin, token.end, Kind::Keyword);
        return;
    case TokenKind::LineConstant:
        return colours.add(token.begin, token.end, Kind::Keyword);
    case TokenKind::Variable:
    case TokenKind::StringVariable:
        return colours.add(token.begin, token.end, Kind::Variable);
    case TokenKind::Number:
        return colours.add(token.begin, token.end, Kind::Number);
    case TokenKind::String:
        if (text.starts_with("'"))
            return singleQuoted(colours, page, token.begin, token.end);
        return colours.add(token.begin, token.end, Kind::String);
    case TokenKind::StringStart:
    case TokenKind::ShellStart:
        heredocs.push_back(text.starts_with("<<<"));
        return colours.add(token.begin, token.end, Kind::String);
    case TokenKind::StringEnd:
        if (!heredocs.empty())
            heredocs.pop_back();
        return colours.add(token.begin, token.end, Kind::String);
    case TokenKind::StringText:
        return phpEscapes(colours, page, token.begin, token.end, heredocs.empty() || heredocs.back());
    default:
        return;
    }
}

// The tokens of the page up to `end`, coloured.
bool phpColours(PageColours& colours, std::string_view page)
{
    const auto lexed = php::lex(page);
    const php::Lexed* tokens = std::get_if<php::Lexed>(&lexed);
    if (!tokens)
        return false;
    std::vector<bool> heredocs;
    std::size_t last = 0;
    bool inCode = false;
    for (const php::Token& token : tokens->tokens) {
        if (inCode && heredocs.empty())
            phpGap(colours, page, last, token.begin);
        phpToken(colours, page, token, heredocs);
        inCode = token.kind != php::TokenKind::CloseTag && token.kind != php::TokenKind::InlineHtml;
        last = token.end;
    }
    if (inCode)
        phpGap(colours, page, last, page.size());
    return true;
}

// A page the lexer stops in: what comes before the place coloured as a
// page of its own, the rest as what is left open there.
void phpPage(PageColours& colours, std::string_view page)
{
    if (phpColours(colours, page))
        return;
    const auto lexed = php::lex(page);
    const php::SourceError& error = std::get<php::SourceError>(lexed);
    const std::size_t stop = std::min(error.offset, page.size());
    if (stop > 0 && stop < page.size())
        phpColours(colours, page.substr(0, stop));
    const bool comment = error.message.find("comment") != std::string::npos;
    colours.add(stop, page.size(), comment ? Kind::Comment : Kind::String);
}

void vbscriptCode(PageColours& colours, std::string_view page, std::size_t begin, std::size_t end)
{
    const vbscript::Tokens tokens = vbscript::tokenize(page, begin, end);
    for (const vbscript::Token& token : tokens.tokens) {
        const std::string_view text = page.substr(token.begin, token.end - token.begin);
        switch (token.kind) {
        case vbscript::TokenKind::Word:
            if (isVbscriptKeyword(text))
                colours.add(token.begin, token.end, Kind::Keyword);
            break;
        case vbscript::TokenKind::String:
            doubledQuotes(colours, page, token.begin, token.end);
            break;
        case vbscript::TokenKind::Number:
        case vbscript::TokenKind::Date:
            colours.add(token.begin, token.end, Kind::Number);
            break;
        case vbscript::TokenKind::Comment:
            colours.add(token.begin, token.end, Kind::Comment);
            break;
        default:
            break;
        }
    }
    if (tokens.error)
        colours.add(tokens.error->offset, end, Kind::String);
}

// ASP ends a block of code at the first "%>", even inside a string.
void aspPage(PageColours& colours, std::string_view page)
{
    std::size_t at = 0;
    while (at < page.size()) {
        const std::size_t open = page.find("<%", at);
        colours.html(at, std::min(open, page.size()));
        if (open == std::string_view::npos)
            return;
        std::size_t codeStart = open + 2;
        if (codeStart < page.size() && (page[codeStart] == '=' || page[codeStart] == '@'))
            ++codeStart;
        colours.add(open, codeStart, Kind::CodeIsland);
        const std::size_t close = page.find("%>", codeStart);
        const std::size_t codeEnd = std::min(close, page.size());
        vbscriptCode(colours, page, codeStart, codeEnd);
        if (close == std::string_view::npos)
            return;
        colours.add(close, close + 2, Kind::CodeIsland);
        at = close + 2;
    }
}

// The target of one of this program's scripts, from its start.
std::optional<Target> programScript(View text)
{
    constexpr std::size_t kStart = 8192;
    const Utf8Page page(text.substr(0, kStart));
    const std::string_view start = page.bytes;
    ScriptReader reader;
    std::string printed(ScriptReader::maxFeedSize(start.size()) + ScriptReader::kMaxFinishSize, '\0');
    if (char* end = reader.feed(start, printed.data()); end && text.size() <= kStart)
        reader.finish(end);
    return reader.target();
}

std::vector<Span> scriptLines(Target target, View text)
{
    std::vector<Span> spans;
    int state = 0;
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != u'\n' && text[at] != u'\r')
            continue;
        for (Span span : scriptLine(target, text.substr(lineStart, at - lineStart), state))
            spans.push_back({lineStart + span.begin, lineStart + span.end, span.kind});
        if (at + 1 < text.size() && text[at] == u'\r' && text[at + 1] == u'\n')
            ++at;
        lineStart = at + 1;
    }
    return spans;
}

}  // namespace

std::vector<Span> htmlLine(View line, int& state)
{
    std::vector<Span> spans;
    state = HtmlLine(line, spans).run(state);
    return spans;
}

std::vector<Span> scriptLine(Target target, View line, int& state)
{
    std::vector<Span> spans;
    const Language language = languageOf(target);
    state = ScriptLine(language, line, spans).run(state);
    return spans;
}

std::vector<Span> pageSpans(View text)
{
    if (const std::optional<Target> target = programScript(text))
        return scriptLines(*target, text);
    const Utf8Page page(text);
    PageColours colours(page);
    const std::size_t php = page.bytes.find("<?");
    const std::size_t asp = page.bytes.find("<%");
    if (php < asp)
        phpPage(colours, page.bytes);
    else if (asp < php)
        aspPage(colours, page.bytes);
    else
        colours.html(0, page.bytes.size());
    return std::move(colours).spans();
}

}  // namespace tagora::syntax
