#include "php_lexer.h"

#include "input_text/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <utility>

namespace tagora::php {
namespace {

constexpr bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool isHexDigit(unsigned char c)
{
    return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

constexpr bool isOctalDigit(unsigned char c)
{
    return c >= '0' && c <= '7';
}

constexpr bool isLabelStart(unsigned char c)
{
    return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c >= 0x80;
}

constexpr bool isLabelChar(unsigned char c)
{
    return isLabelStart(c) || isDigit(c);
}

bool equalsLowerCase(std::string_view text, std::string_view lowerCase)
{
    return text.size() == lowerCase.size()
           && std::equal(text.begin(), text.end(), lowerCase.begin(), [](char a, char b) {
                  return (a >= 'A' && a <= 'Z' ? char(a | 0x20) : a) == b;
              });
}

int hexValue(char c)
{
    return isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
}

// The escapes of double-quoted strings, heredoc and backquotes; quote is
// the delimiter that a backslash escapes (none in heredoc). `offset` places
// the raw text in the file, for errors.
void decodeEscapes(std::string_view raw, char quote, std::size_t offset, std::string& out)
{
    const auto at = [&](std::size_t i) { return i < raw.size() ? raw[i] : '\0'; };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        const std::size_t backslash = i++;
        if (i == raw.size()) {
            out += '\\';
            break;
        }
        const char c = raw[i];
        switch (c) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'v': out += '\v'; break;
        case 'e': out += '\x1B'; break;
        case 'f': out += '\f'; break;
        case '\\':
        case '$': out += c; break;
        case '"':
        case '`':
            if (c != quote)
                out += '\\';
            out += c;
            break;
        case 'x':
            if (!isHexDigit(at(i + 1))) {
                out += "\\x";
                break;
            }
            {
                int value = hexValue(raw[++i]);
                if (isHexDigit(at(i + 1)))
                    value = value * 16 + hexValue(raw[++i]);
                out += static_cast<char>(value);
            }
            break;
        case 'u': {
            if (at(i + 1) != '{') {
                out += "\\u";
                break;
            }
            std::size_t end = i + 2;
            std::uint32_t value = 0;
            bool tooLarge = false;
            for (; end < raw.size() && isHexDigit(raw[end]); ++end) {
                value = value * 16 + static_cast<std::uint32_t>(hexValue(raw[end]));
                tooLarge = tooLarge || value > 0x10FFFF;
                value = std::min<std::uint32_t>(value, 0x110000);
            }
            if (end == i + 2 || at(end) != '}')
                throw SourceError{offset + backslash, "invalid \\u{…} escape sequence"};
            if (tooLarge)
                throw SourceError{offset + backslash, "\\u{…} escape above U+10FFFF"};
            char bytes[4];
            out.append(bytes, utf8::encode(value, bytes));
            i = end;
            break;
        }
        default:
            if (!isOctalDigit(c)) {
                out += '\\';
                out += c;
                break;
            }
            {
                int value = c - '0';
                for (int more = 0; more < 2 && isOctalDigit(at(i + 1)); ++more)
                    value = value * 8 + (raw[++i] - '0');
                out += static_cast<char>(value & 0xFF);
            }
        }
    }
}

// PHP's removal of a heredoc's indentation from one literal run: the
// indentation of its closing marker goes from the start of every line.
// newlineAtStart: the run starts a line; newlineAtEnd: the run ends the
// body, so that its last line may be shorter than the indentation.
std::string stripIndentation(std::string_view raw, std::size_t indentation, bool usesSpaces, bool newlineAtStart,
                             bool newlineAtEnd, std::size_t offset)
{
    const std::size_t end = raw.size();
    const auto nextNewline = [&](std::size_t from, std::size_t& length) {
        for (std::size_t i = from; i < end; ++i) {
            if (raw[i] == '\r' || raw[i] == '\n') {
                length = raw[i] == '\r' && i + 1 < end && raw[i + 1] == '\n' ? 2 : 1;
                return i;
            }
        }
        length = 0;
        return std::string_view::npos;
    };
    std::string copy;
    std::size_t str = 0;
    std::size_t newlineLength = 0;
    if (!newlineAtStart) {
        const std::size_t first = nextNewline(0, newlineLength);
        if (first == std::string_view::npos)
            return std::string(raw);
        str = first + newlineLength;
        copy.append(raw.substr(0, str));
    }
    bool haveNewline = true;
    while (str <= end && haveNewline) {
        std::size_t newline = nextNewline(str, newlineLength);
        haveNewline = newline != std::string_view::npos;
        if (!haveNewline && newlineAtEnd) {
            newline = end;
            haveNewline = true;
        }
        for (std::size_t skip = 0; skip < indentation; ++skip, ++str) {
            if (haveNewline && str == newline)
                break;  // whitespace-only lines may be shorter
            if (str == end || (raw[str] != ' ' && raw[str] != '\t'))
                throw SourceError{offset + str, "heredoc line indented less than its closing marker"};
            if ((raw[str] == ' ') != usesSpaces)
                throw SourceError{offset + str, "heredoc indentation mixes tabs and spaces"};
        }
        if (str == end)
            break;
        const std::size_t length = haveNewline ? newline - str + newlineLength : end - str;
        copy.append(raw.substr(str, length));
        str += length;
    }
    return copy;
}

struct HeredocStart {
    std::size_t bodyStart = 0;
    std::string_view label;
    bool nowdoc = false;
};

struct Marker {
    std::size_t indentStart;
    std::size_t labelStart;
    std::size_t end;
};

class Lexer {
public:
    // `each`, when given, is handed the tokens a piece at a time.
    explicit Lexer(std::string_view script, const std::function<void(const Lexed&)>* each = nullptr,
                   std::size_t pieceTokens = 0)
        : m_s(script), m_each(each), m_pieceTokens(pieceTokens) {}

    Lexed run()
    {
        if (!m_each)
            makeRoomForTokens();
        while (!m_frames.empty() || lexInlineHtml()) {
            if (m_frames.back().mode == Mode::Script)
                lexScript();
            else
                lexStringPart();
            if (m_each && m_frames.size() <= 1 && m_out.tokens.size() >= m_pieceTokens)
                handOver();
        }
        if (m_each)
            handOver();
        else
            linkBrackets();
        return std::move(m_out);
    }

private:
    enum class Mode { Script, DoubleQuotes, Backquotes, Heredoc };

    struct Frame {
        Mode mode = Mode::Script;
        std::size_t opening = kNoLink;  // the token that opened the string or interpolation
        std::size_t openOffset = 0;
        int braces = 0;  // "{" open inside an interpolation
        // Heredoc only:
        std::string_view label;
        std::size_t bodyStart = 0;
        std::vector<std::size_t> texts;
    };

    static Frame frame(Mode mode, std::size_t opening = kNoLink, std::size_t openOffset = 0)
    {
        Frame frame;
        frame.mode = mode;
        frame.opening = opening;
        frame.openOffset = openOffset;
        return frame;
    }

    char at(std::size_t i) const { return i < m_s.size() ? m_s[i] : '\0'; }
    std::size_t labelEnd(std::size_t i) const
    {
        while (i < m_s.size() && isLabelChar(static_cast<unsigned char>(m_s[i])))
            ++i;
        return i;
    }
    bool startsWith(std::size_t i, std::string_view text) const
    {
        return m_s.substr(std::min(i, m_s.size())).starts_with(text);
    }

    std::size_t add(TokenKind kind, std::size_t begin, std::size_t end, std::size_t link = kNoLink)
    {
        if (m_out.tokens.size() + 1 >= kNoLink)
            throw SourceError{begin, "too much code: more than " + std::to_string(kNoLink - 1) + " tokens"};
        Token& token = m_out.tokens.emplace_back();
        token.begin = static_cast<std::uint32_t>(begin);
        token.end = static_cast<std::uint32_t>(end);
        token.link = static_cast<std::uint32_t>(link) & kNoLink;
        token.kind = kind;
        return m_out.tokens.size() - 1;
    }
    // The value written to the pool since `start`.
    std::size_t valueFrom(std::size_t start)
    {
        m_out.values.emplace_back(start, m_out.pool.size() - start);
        return m_out.values.size() - 1;
    }
    std::size_t addValue(std::string_view value)
    {
        const std::size_t start = m_out.pool.size();
        m_out.pool.append(value);
        return valueFrom(start);
    }

    // Inline HTML up to the next open tag; false at the end of the file.
    bool lexInlineHtml()
    {
        if (m_pos == m_s.size())
            return false;
        const std::size_t tag = m_s.find("<?", m_pos);
        if (tag != m_pos)
            add(TokenKind::InlineHtml, m_pos, std::min(tag, m_s.size()));
        if (tag == std::string_view::npos) {
            m_pos = m_s.size();
            return false;
        }
        const char afterPhp = at(tag + 5);
        if (equalsLowerCase(m_s.substr(tag + 2, 3), "php") && (tag + 5 == m_s.size() || isSpace(afterPhp))) {
            const std::size_t space = tag + 5 == m_s.size() ? 0 : afterPhp == '\r' && at(tag + 6) == '\n' ? 2 : 1;
            add(TokenKind::OpenTag, tag, tag + 5 + space);
            m_pos = tag + 5 + space;
        } else if (at(tag + 2) == '=') {
            add(TokenKind::OpenTagWithEcho, tag, tag + 3);
            m_pos = tag + 3;
        } else {
            add(TokenKind::OpenTag, tag, tag + 2);
            m_pos = tag + 2;
        }
        m_frames.push_back(frame(Mode::Script));
        return true;
    }

    void lexScript()
    {
        while (m_pos < m_s.size() && isSpace(m_s[m_pos]))
            ++m_pos;
        if (m_pos == m_s.size()) {
            if (m_frames.size() > 1)
                throw unterminated(m_frames[m_frames.size() - 2]);
            m_frames.clear();
            return;
        }
        const std::size_t p = m_pos;
        const char c = m_s[p];
        const char d = at(p + 1);
        const bool prefixed = (c == 'b' || c == 'B');
        if (c == '?' && d == '>')
            return closeTag();
        if (c == '#' && d == '[')
            return punct(2);
        if (c == '#' || (c == '/' && d == '/'))
            return lineComment();
        if (c == '/' && d == '*')
            return blockComment();
        if (c == '\'' || (prefixed && d == '\''))
            return singleQuoted(p, p + (c != '\''));
        if (c == '"' || (prefixed && d == '"'))
            return openString(p, p + (c != '"') + 1, Mode::DoubleQuotes);
        if (c == '`')
            return openString(p, p + 1, Mode::Backquotes);
        if (const std::size_t heredoc = prefixed ? p + 1 : p; startsWith(heredoc, "<<<")) {
            if (const auto start = heredocStart(heredoc))
                return start->nowdoc ? nowdoc(p, *start) : openHeredoc(p, *start);
        }
        if (c == '$' && isLabelStart(static_cast<unsigned char>(d))) {
            m_pos = labelEnd(p + 1);
            add(TokenKind::Variable, p, m_pos);
            return;
        }
        if (isLabelStart(static_cast<unsigned char>(c)) || (c == '\\' && isLabelStart(static_cast<unsigned char>(d))))
            return name();
        if (isDigit(static_cast<unsigned char>(c)) || (c == '.' && isDigit(static_cast<unsigned char>(d))))
            return number();
        Frame& frame = m_frames.back();
        const bool inInterpolation = m_frames.size() > 1;
        if (c == '{' && inInterpolation)
            ++frame.braces;
        if (c == '}' && inInterpolation && frame.braces-- == 0)
            return closeInterpolation();
        operatorToken();
    }

    void closeTag()
    {
        if (m_frames.size() > 1)
            throw SourceError{m_pos, "closing tag inside a string's {…}"};
        std::size_t end = m_pos + 2;
        const bool newline = at(end) == '\r' || at(end) == '\n';
        end += at(end) == '\r' && at(end + 1) == '\n' ? 2 : newline ? 1 : 0;
        add(TokenKind::CloseTag, m_pos, end, newline ? 1 : 0);
        m_pos = end;
        m_frames.clear();
    }

    void punct(std::size_t length)
    {
        add(TokenKind::Punct, m_pos, m_pos + length);
        m_pos += length;
    }

    void operatorToken()
    {
        static constexpr std::array<std::string_view, 9> threes{"<=>", "===", "!==", "**=", "...",
                                                                "<<=", ">>=", "?\?=", "?->"};
        static constexpr std::array<std::string_view, 25> twos{"++", "--", "->", "=>", "::", "==", "!=", "<>", "<=",
                                                               ">=", "&&", "||", "??", "+=", "-=", "*=", "/=", ".=",
                                                               "%=", "&=", "|=", "^=", "<<", ">>", "**"};
        const std::string_view rest = m_s.substr(m_pos);
        if (std::string_view(";,()[]{}$@~\"'`\\").find(rest[0]) != std::string_view::npos)
            return punct(1);
        for (const std::string_view op : threes)
            if (rest.starts_with(op))
                return punct(3);
        for (const std::string_view op : twos)
            if (rest.starts_with(op))
                return punct(2);
        punct(1);
    }

    // "//" and "#" comments end at a line break or before "?>".
    void lineComment()
    {
        std::size_t i = m_pos + (m_s[m_pos] == '#' ? 1 : 2);
        while (i < m_s.size() && m_s[i] != '\n' && m_s[i] != '\r' && !(m_s[i] == '?' && at(i + 1) == '>'))
            ++i;
        m_pos = i;
    }

    void blockComment()
    {
        const std::size_t end = m_s.find("*/", m_pos + 2);
        if (end == std::string_view::npos)
            throw SourceError{m_pos, "unterminated comment"};
        m_pos = end + 2;
    }

    void name()
    {
        const std::size_t begin = m_pos;
        std::size_t i = m_s[begin] == '\\' ? begin + 1 : begin;
        for (;;) {
            i = labelEnd(i);
            if (at(i) != '\\' || !isLabelStart(static_cast<unsigned char>(at(i + 1))))
                break;
            ++i;
        }
        m_pos = i;
        const std::string_view text = m_s.substr(begin, i - begin);
        if (!afterMemberAccess() && equalsLowerCase(text, "__line__"))
            lineConstant(begin, i);
        else if (!afterMemberAccess() && equalsLowerCase(text, "__halt_compiler"))
            throw SourceError{begin, "__halt_compiler() is not supported"};
        else
            add(TokenKind::Name, begin, i);
    }

    // __LINE__, its line as its link.
    void lineConstant(std::size_t begin, std::size_t end)
    {
        const std::size_t line = lineAt(begin);
        if (line >= kNoLink)
            throw SourceError{begin, "__LINE__ beyond line " + std::to_string(kNoLink - 1)};
        add(TokenKind::LineConstant, begin, end, line);
    }

    // Room for the tokens of dense code at once (about one for three
    // bytes): no copy of them all as they grow. Pages of the room not used
    // are never touched, so take no memory; where the room cannot be had,
    // the tokens grow as they come.
    void makeRoomForTokens()
    {
        try {
            m_out.tokens.reserve(m_s.size() / 3 + 16);
        } catch (const std::bad_alloc&) {
        }
    }

    // Outside strings, where no token refers to one before it but through
    // its brackets: the tokens so far to m_each, and forgotten.
    void handOver()
    {
        if (m_out.tokens.empty())
            return;
        (*m_each)(m_out);
        m_handedOver = m_out.tokens.back();
        m_out.tokens.clear();
        m_out.values.clear();
        m_out.pool.clear();
    }

    // A name after "->", "::", "function" or "const" names a member, not a constant or keyword.
    bool afterMemberAccess() const
    {
        if (m_out.tokens.empty() && !m_handedOver)
            return false;
        const Token& last = m_out.tokens.empty() ? *m_handedOver : m_out.tokens.back();
        return isPunct(last, m_s, "->") || isPunct(last, m_s, "?->") || isPunct(last, m_s, "::")
               || isName(last, m_s, "function") || isName(last, m_s, "const");
    }

    // Digits with single underscores between them.
    std::size_t digitsEnd(std::size_t start, bool (*isDigitOf)(unsigned char)) const
    {
        std::size_t i = start;
        const auto digitAt = [&](std::size_t k) { return isDigitOf(static_cast<unsigned char>(at(k))); };
        while (digitAt(i) || (at(i) == '_' && i > start && digitAt(i - 1) && digitAt(i + 1)))
            ++i;
        return i;
    }

    // The length of an integer written in any base, as PHP reads an array
    // index in a string.
    std::size_t integerEnd(std::size_t i) const
    {
        const char base = static_cast<char>(at(i + 1) | 0x20);
        if (at(i) == '0' && base == 'x' && isHexDigit(static_cast<unsigned char>(at(i + 2))))
            return digitsEnd(i + 2, isHexDigit);
        if (at(i) == '0' && base == 'b' && (at(i + 2) == '0' || at(i + 2) == '1'))
            return digitsEnd(i + 2, [](unsigned char c) { return c == '0' || c == '1'; });
        if (at(i) == '0' && base == 'o' && isOctalDigit(static_cast<unsigned char>(at(i + 2))))
            return digitsEnd(i + 2, isOctalDigit);
        return digitsEnd(i, isDigit);
    }

    void number()
    {
        const std::size_t begin = m_pos;
        std::size_t i = integerEnd(begin);
        const bool decimal = i == digitsEnd(begin, isDigit);
        if (decimal && at(i) == '.')
            i = digitsEnd(i + 1, isDigit);
        const char sign = at(i + 1);
        if (decimal && (at(i) | 0x20) == 'e'
            && (isDigit(static_cast<unsigned char>(sign))
                || ((sign == '+' || sign == '-') && isDigit(static_cast<unsigned char>(at(i + 2))))))
            i = digitsEnd(i + (isDigit(static_cast<unsigned char>(sign)) ? 1 : 2), isDigit);
        add(TokenKind::Number, begin, i);
        m_pos = i;
    }

    void singleQuoted(std::size_t begin, std::size_t quote)
    {
        const std::size_t start = m_out.pool.size();
        std::string& value = m_out.pool;
        std::size_t i = quote + 1;
        for (; i < m_s.size() && m_s[i] != '\''; ++i) {
            if (m_s[i] == '\\' && i + 1 < m_s.size()) {
                const char next = m_s[++i];
                if (next != '\\' && next != '\'')
                    value += '\\';
                value += next;
            } else {
                value += m_s[i];
            }
        }
        if (i == m_s.size())
            throw SourceError{begin, "unterminated string"};
        add(TokenKind::String, begin, i + 1, valueFrom(start));
        m_pos = i + 1;
    }

    void openString(std::size_t begin, std::size_t bodyStart, Mode mode)
    {
        const TokenKind kind = mode == Mode::Backquotes ? TokenKind::ShellStart : TokenKind::StringStart;
        const std::size_t index = add(kind, begin, bodyStart);
        m_frames.push_back(frame(mode, index, begin));
        m_pos = bodyStart;
    }

    // "<<<" at i, then the label (bare, in double quotes or, for nowdoc, in
    // single quotes) and a line break.
    std::optional<HeredocStart> heredocStart(std::size_t i) const
    {
        i += 3;
        while (at(i) == ' ' || at(i) == '\t')
            ++i;
        const char quote = at(i) == '\'' || at(i) == '"' ? at(i) : '\0';
        i += quote != '\0';
        if (!isLabelStart(static_cast<unsigned char>(at(i))))
            return std::nullopt;
        const std::size_t end = labelEnd(i);
        HeredocStart start{end, m_s.substr(i, end - i), quote == '\''};
        if (quote != '\0' && at(start.bodyStart++) != quote)
            return std::nullopt;
        if (at(start.bodyStart) != '\r' && at(start.bodyStart) != '\n')
            return std::nullopt;
        start.bodyStart += at(start.bodyStart) == '\r' && at(start.bodyStart + 1) == '\n' ? 2 : 1;
        return start;
    }

    // The closing marker of a heredoc at the start of the line at i: blanks,
    // the label, then a character that cannot continue a label (and not the
    // end of the file).
    std::optional<Marker> markerAt(std::size_t i, std::string_view label) const
    {
        std::size_t labelStart = i;
        while (at(labelStart) == ' ' || at(labelStart) == '\t')
            ++labelStart;
        const std::size_t end = labelStart + label.size();
        if (end >= m_s.size() || m_s.compare(labelStart, label.size(), label) != 0
            || isLabelChar(static_cast<unsigned char>(m_s[end])))
            return std::nullopt;
        return Marker{i, labelStart, end};
    }

    static void checkMarkerIndentation(std::string_view indentation, std::size_t offset)
    {
        if (indentation.find(' ') != std::string_view::npos && indentation.find('\t') != std::string_view::npos)
            throw SourceError{offset, "heredoc indentation mixes tabs and spaces"};
    }

    // The line break at or after i and the start of the next line.
    std::pair<std::size_t, std::size_t> nextLineBreak(std::size_t i) const
    {
        const std::size_t lineBreak = m_s.find_first_of("\r\n", i);
        if (lineBreak == std::string_view::npos)
            return {lineBreak, lineBreak};
        return {lineBreak, lineBreak + (m_s[lineBreak] == '\r' && at(lineBreak + 1) == '\n' ? 2 : 1)};
    }

    void nowdoc(std::size_t begin, const HeredocStart& start)
    {
        std::optional<Marker> marker = markerAt(start.bodyStart, start.label);
        std::size_t bodyEnd = start.bodyStart;
        for (std::size_t line = start.bodyStart; !marker;) {
            const auto [lineBreak, next] = nextLineBreak(line);
            if (lineBreak == std::string_view::npos)
                throw SourceError{begin, "unterminated nowdoc"};
            bodyEnd = lineBreak;
            line = next;
            marker = markerAt(line, start.label);
        }
        const std::string_view indentation = m_s.substr(marker->indentStart, marker->labelStart - marker->indentStart);
        checkMarkerIndentation(indentation, marker->indentStart);
        const std::string_view body = m_s.substr(start.bodyStart, bodyEnd - start.bodyStart);
        const std::size_t value = indentation.empty() || body.empty()
                                      ? addValue(body)
                                      : addValue(stripIndentation(body, indentation.size(), indentation.starts_with(' '),
                                                                  true, true, start.bodyStart));
        add(TokenKind::String, begin, marker->end, value);
        m_pos = marker->end;
    }

    void openHeredoc(std::size_t begin, const HeredocStart& start)
    {
        openString(begin, start.bodyStart, Mode::Heredoc);
        Frame& frame = m_frames.back();
        frame.label = start.label;
        frame.bodyStart = start.bodyStart;
        if (const auto marker = markerAt(start.bodyStart, start.label))
            closeHeredoc(*marker, start.bodyStart, false);
    }

    // The literal text of a string up to its end or its next interpolation.
    void lexStringPart()
    {
        const Mode mode = m_frames.back().mode;
        const char quote = mode == Mode::DoubleQuotes ? '"' : mode == Mode::Backquotes ? '`' : '\0';
        const std::size_t start = m_pos;
        for (std::size_t i = start;;) {
            if (i >= m_s.size())
                throw unterminated(m_frames.back());
            const char c = m_s[i];
            const char d = at(i + 1);
            if (c == quote && quote != '\0') {
                addText(start, i);
                return closeString(i, i + 1);
            }
            if (c == '\\') {
                i += mode == Mode::Heredoc && (d == '\n' || d == '\r') ? 1 : 2;
                continue;
            }
            if ((c == '$' && (isLabelStart(static_cast<unsigned char>(d)) || d == '{')) || (c == '{' && d == '$')) {
                addText(start, i);
                m_pos = i;
                return interpolation();
            }
            if (mode == Mode::Heredoc && (c == '\n' || c == '\r')) {
                const std::size_t next = i + (c == '\r' && d == '\n' ? 2 : 1);
                if (const auto marker = markerAt(next, m_frames.back().label)) {
                    addText(start, i);
                    return closeHeredoc(*marker, i, i > start);
                }
                i = next;
                continue;
            }
            ++i;
        }
    }

    SourceError unterminated(const Frame& frame) const
    {
        return {frame.openOffset, frame.mode == Mode::Heredoc ? "unterminated heredoc" : "unterminated string"};
    }

    void addText(std::size_t begin, std::size_t end)
    {
        if (begin == end)
            return;
        Frame& frame = m_frames.back();
        const std::size_t index = add(TokenKind::StringText, begin, end);
        if (frame.mode == Mode::Heredoc) {
            frame.texts.push_back(index);  // decoded when its indentation is known
            return;
        }
        const char quote = frame.mode == Mode::DoubleQuotes ? '"' : '`';
        const std::size_t start = m_out.pool.size();
        decodeEscapes(m_s.substr(begin, end - begin), quote, begin, m_out.pool);
        m_out.tokens[index].link = static_cast<std::uint32_t>(valueFrom(start));
    }

    void closeString(std::size_t begin, std::size_t end)
    {
        const std::size_t opening = m_frames.back().opening;
        m_out.tokens[opening].link = static_cast<std::uint32_t>(add(TokenKind::StringEnd, begin, end, opening));
        m_frames.pop_back();
        m_pos = end;
    }

    // lastTextEndsBody: the last literal run ends at the line break before the marker.
    void closeHeredoc(const Marker& marker, std::size_t lineBreak, bool lastTextEndsBody)
    {
        const Frame& frame = m_frames.back();
        const std::string_view indentation = m_s.substr(marker.indentStart, marker.labelStart - marker.indentStart);
        checkMarkerIndentation(indentation, marker.indentStart);
        for (const std::size_t index : frame.texts) {
            Token& text = m_out.tokens[index];
            const bool atLineStart = text.begin == frame.bodyStart || m_s[text.begin - 1] == '\n'
                                     || m_s[text.begin - 1] == '\r';
            const bool endsBody = lastTextEndsBody && index == frame.texts.back();
            const std::string_view raw = m_s.substr(text.begin, text.end - text.begin);
            const std::size_t start = m_out.pool.size();
            if (indentation.empty()) {
                decodeEscapes(raw, '\0', text.begin, m_out.pool);
            } else {
                const std::string stripped = stripIndentation(raw, indentation.size(), indentation.starts_with(' '),
                                                              atLineStart, endsBody, text.begin);
                try {
                    decodeEscapes(stripped, '\0', text.begin, m_out.pool);
                } catch (const SourceError&) {
                    std::string scratch;
                    decodeEscapes(raw, '\0', text.begin, scratch);  // throws where the escape is in the file
                    throw;
                }
            }
            text.link = static_cast<std::uint32_t>(valueFrom(start));
        }
        closeString(lineBreak, marker.end);
    }

    // At "$name", "${" or "{$" inside a string.
    void interpolation()
    {
        const std::size_t p = m_pos;
        if (m_s[p] == '{')
            return openInterpolation(TokenKind::CurlyInterpolation, p, p + 1);
        if (m_s[p + 1] != '{')
            return simpleVariable(p);
        if (isLabelStart(static_cast<unsigned char>(at(p + 2)))) {
            const std::size_t end = labelEnd(p + 2);
            if (at(end) == '}') {
                const std::string name = std::string("$").append(m_s.substr(p + 2, end - p - 2));
                add(TokenKind::StringVariable, p, end + 1, addValue(name));
                m_pos = end + 1;
                return;
            }
            if (at(end) == '[')
                return openInterpolation(TokenKind::DollarNameInterpolation, p, end);
        }
        openInterpolation(TokenKind::DollarInterpolation, p, p + 2);
    }

    void openInterpolation(TokenKind kind, std::size_t begin, std::size_t end)
    {
        const std::size_t index = add(kind, begin, end);
        m_frames.push_back(frame(Mode::Script, index, begin));
        m_pos = end;
    }

    void closeInterpolation()
    {
        const std::size_t opening = m_frames.back().opening;
        const std::size_t end = add(TokenKind::InterpolationEnd, m_pos, m_pos + 1, opening);
        m_out.tokens[opening].link = static_cast<std::uint32_t>(end);
        m_frames.pop_back();
        ++m_pos;
    }

    // "$name", "$name[key]", "$name->property" or "$name?->property" in a string.
    void simpleVariable(std::size_t p)
    {
        std::size_t end = labelEnd(p + 1);
        std::string expression(m_s.substr(p, end - p));
        if (at(end) == '[') {
            const auto [key, keyEnd] = arrayKey(end + 1);
            if (at(keyEnd) != ']')
                throw SourceError{end, "invalid array index in a string"};
            expression += '[' + key + ']';
            end = keyEnd + 1;
        } else {
            const std::size_t arrow = startsWith(end, "->") ? 2 : startsWith(end, "?->") ? 3 : 0;
            if (arrow != 0 && isLabelStart(static_cast<unsigned char>(at(end + arrow)))) {
                const std::size_t propertyEnd = labelEnd(end + arrow);
                expression += m_s.substr(end, propertyEnd - end);
                end = propertyEnd;
            }
        }
        add(TokenKind::StringVariable, p, end, addValue(expression));
        m_pos = end;
    }

    // The key of "$name[key]" in a string, written as PHP code: a bare word
    // is a string, a decimal integer that fits in 64 bits is an integer, any
    // other number is a string as written ("012", "0x1A", "-0").
    std::pair<std::string, std::size_t> arrayKey(std::size_t i) const
    {
        if (at(i) == '$' && isLabelStart(static_cast<unsigned char>(at(i + 1)))) {
            const std::size_t end = labelEnd(i + 1);
            return {std::string(m_s.substr(i, end - i)), end};
        }
        if (isLabelStart(static_cast<unsigned char>(at(i)))) {
            const std::size_t end = labelEnd(i);
            return {quoted("", m_s.substr(i, end - i)), end};
        }
        const bool negative = at(i) == '-';
        const std::size_t digits = i + negative;
        if (!isDigit(static_cast<unsigned char>(at(digits))))
            throw SourceError{i - 1, "invalid array index in a string"};
        const std::size_t end = integerEnd(digits);
        const std::string_view text = m_s.substr(digits, end - digits);
        const bool plainDecimal = std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); })
                                  && (text == "0" || text[0] != '0');
        const bool fits = text.size() < 19 || (text.size() == 19 && text <= "9223372036854775807");
        const std::string_view sign = negative ? "-" : "";
        if (plainDecimal && fits && !(negative && text == "0"))
            return {std::string(sign).append(text), end};
        return {quoted(sign, text), end};
    }

    static std::string quoted(std::string_view sign, std::string_view text)
    {
        return std::string("'").append(sign).append(text).append("'");
    }

    std::size_t lineAt(std::size_t offset)
    {
        for (; m_lineCursor < offset; ++m_lineCursor) {
            const char c = m_s[m_lineCursor];
            if (c == '\n' || (c == '\r' && at(m_lineCursor + 1) != '\n'))
                ++m_line;
        }
        return m_line;
    }

    void linkBrackets()
    {
        std::vector<Token>& tokens = m_out.tokens;
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            Token& token = tokens[i];
            if (opensStringOrInterpolation(token.kind)) {
                open.push_back(i);
                continue;
            }
            switch (token.kind) {
            case TokenKind::StringEnd:
            case TokenKind::InterpolationEnd:
                while (!open.empty() && open.back() != token.link)
                    open.pop_back();  // brackets left open inside the interpolation stay unlinked
                if (!open.empty())
                    open.pop_back();
                break;
            case TokenKind::Punct: {
                const std::string_view text = m_s.substr(token.begin, token.end - token.begin);
                if (text == "(" || text == "[" || text == "{" || text == "#[") {
                    open.push_back(i);
                    break;
                }
                const std::string_view opener = text == ")" ? "(" : text == "]" ? "[" : text == "}" ? "{" : "";
                if (opener.empty() || open.empty() || tokens[open.back()].kind != TokenKind::Punct)
                    break;
                Token& partner = tokens[open.back()];
                const std::string_view partnerText = m_s.substr(partner.begin, partner.end - partner.begin);
                if (partnerText == opener || (opener == "[" && partnerText == "#[")) {
                    partner.link = static_cast<std::uint32_t>(i);
                    token.link = static_cast<std::uint32_t>(open.back());
                    open.pop_back();
                }
                break;
            }
            default:
                break;
            }
        }
    }

    std::string_view m_s;
    std::size_t m_pos = 0;
    std::vector<Frame> m_frames;  // empty: inline HTML
    Lexed m_out;
    std::size_t m_lineCursor = 0;
    std::size_t m_line = 1;
    const std::function<void(const Lexed&)>* m_each;
    std::size_t m_pieceTokens;
    std::optional<Token> m_handedOver;  // the last token handed over
};

}  // namespace

std::variant<Lexed, SourceError> lex(std::string_view script)
{
    if (script.size() > kMaxScriptSize)
        return SourceError{0, "file too large: 4 GiB or more"};
    try {
        return Lexer(script).run();
    } catch (const SourceError& error) {
        return error;
    }
}

std::optional<SourceError> lexInPieces(std::string_view script, const std::function<void(const Lexed&)>& each,
                                       std::size_t pieceTokens)
{
    if (script.size() > kMaxScriptSize)
        return SourceError{0, "file too large: 4 GiB or more"};
    try {
        Lexer(script, &each, pieceTokens).run();
    } catch (const SourceError& error) {
        return error;
    }
    return std::nullopt;
}

bool isName(const Token& token, std::string_view script, std::string_view lowerCaseName)
{
    return token.kind == TokenKind::Name
           && equalsLowerCase(script.substr(token.begin, token.end - token.begin), lowerCaseName);
}

}  // namespace tagora::php
