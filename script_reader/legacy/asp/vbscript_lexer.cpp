#include "vbscript_lexer.h"

namespace tagora::vbscript {

namespace {

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Bytes outside ASCII are taken as letters: names in the page's encoding.
bool startsName(char c)
{
    return isAsciiLetter(c) || static_cast<unsigned char>(c) >= 0x80;
}

bool continuesName(char c)
{
    return startsName(c) || isDigit(c) || c == '_';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

class Lexer {
public:
    Lexer(std::string_view text, std::size_t begin, std::size_t end)
        : m_text(text), m_pos(begin), m_end(end)
    {
    }

    Tokens run()
    {
        while (m_pos < m_end && !m_result.error)
            next();
        return std::move(m_result);
    }

private:
    char at(std::size_t offset) const { return offset < m_end ? m_text[offset] : '\0'; }

    void add(TokenKind kind, std::size_t begin)
    {
        m_result.tokens.push_back({kind, begin, m_pos});
    }

    void fail(std::size_t offset, std::string message)
    {
        m_result.error = LexError{offset, std::move(message)};
    }

    void next()
    {
        const std::size_t start = m_pos;
        const char c = m_text[m_pos];
        if (isBlank(c)) {
            ++m_pos;
        } else if (isLineBreak(c)) {
            m_pos += (c == '\r' && at(m_pos + 1) == '\n') ? 2 : 1;
            add(TokenKind::Newline, start);
        } else if (c == '"') {
            string();
        } else if (c == '\'') {
            comment(start);
        } else if (startsName(c)) {
            word();
        } else if (isDigit(c)) {
            number();
        } else if (c == '&' && startsRadixNumber()) {
            radixNumber();
        } else if (c == '#') {
            delimited('#', "unterminated date literal");
            add(TokenKind::Date, start);
        } else if (c == '[') {
            delimited(']', "unterminated [name]");
            add(TokenKind::Word, start);
        } else if (c == '_' ) {
            continuation();
        } else if (c == ':') {
            ++m_pos;
            add(TokenKind::Colon, start);
        } else {
            operatorToken();
        }
    }

    void string()
    {
        const std::size_t start = m_pos++;
        for (;;) {
            if (m_pos >= m_end || isLineBreak(m_text[m_pos]))
                return fail(start, "unterminated string");
            if (m_text[m_pos++] != '"')
                continue;
            if (at(m_pos) != '"')
                break;
            ++m_pos;
        }
        add(TokenKind::String, start);
    }

    // A comment runs to the end of its line, whatever it ends with: a
    // comment ending in " _" does not continue onto the next line.
    void comment(std::size_t start)
    {
        while (m_pos < m_end && !isLineBreak(m_text[m_pos]))
            ++m_pos;
        add(TokenKind::Comment, start);
    }

    void word()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_end && continuesName(m_text[m_pos]))
            ++m_pos;
        if (sameWord(m_text.substr(start, m_pos - start), "rem"))
            return comment(start);
        add(TokenKind::Word, start);
    }

    void number()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_end && (isDigit(m_text[m_pos]) || m_text[m_pos] == '.'))
            ++m_pos;
        if (lower(at(m_pos)) == 'e') {
            std::size_t exponent = m_pos + 1;
            if (at(exponent) == '+' || at(exponent) == '-')
                ++exponent;
            if (isDigit(at(exponent))) {
                m_pos = exponent;
                while (m_pos < m_end && isDigit(m_text[m_pos]))
                    ++m_pos;
            }
        }
        add(TokenKind::Number, start);
    }

    bool startsRadixNumber() const
    {
        const char radix = lower(at(m_pos + 1));
        return (radix == 'h' && isHexDigit(at(m_pos + 2)))
               || (radix == 'o' && at(m_pos + 2) >= '0' && at(m_pos + 2) <= '7');
    }

    void radixNumber()
    {
        const std::size_t start = m_pos;
        m_pos += 2;
        while (m_pos < m_end && isHexDigit(m_text[m_pos]))
            ++m_pos;
        if (at(m_pos) == '&')
            ++m_pos;
        add(TokenKind::Number, start);
    }

    void delimited(char close, const char* unterminated)
    {
        const std::size_t start = m_pos++;
        while (m_pos < m_end && !isLineBreak(m_text[m_pos]) && m_text[m_pos] != close)
            ++m_pos;
        if (at(m_pos) != close)
            return fail(start, unterminated);
        ++m_pos;
    }

    // "_" and blanks before the line break: the statement goes on.
    void continuation()
    {
        const std::size_t start = m_pos++;
        while (m_pos < m_end && isBlank(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_end)
            return fail(start, "a line continuation at the end of the code block");
        if (!isLineBreak(m_text[m_pos]))
            return fail(start, "a line continuation _ that does not end its line");
        m_pos += (m_text[m_pos] == '\r' && at(m_pos + 1) == '\n') ? 2 : 1;
    }

    void operatorToken()
    {
        const std::size_t start = m_pos;
        const char c = m_text[m_pos++];
        const char following = at(m_pos);
        if ((c == '<' && (following == '=' || following == '>')) || (c == '>' && following == '='))
            ++m_pos;
        add(TokenKind::Operator, start);
    }

    std::string_view m_text;
    std::size_t m_pos;
    std::size_t m_end;
    Tokens m_result;
};

}  // namespace

Tokens tokenize(std::string_view text, std::size_t begin, std::size_t end)
{
    return Lexer(text, begin, end).run();
}

bool sameWord(std::string_view word, std::string_view lowerKeyword)
{
    if (word.size() != lowerKeyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lower(word[i]) != lowerKeyword[i])
            return false;
    }
    return true;
}

std::string stringValue(std::string_view quoted)
{
    std::string value;
    value.reserve(quoted.size());
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        value += quoted[i];
        if (quoted[i] == '"')
            ++i;
    }
    return value;
}

}  // namespace tagora::vbscript
