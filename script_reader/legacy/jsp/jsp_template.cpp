#include "jsp_template.h"

#include "input_text/hex_digit.h"
#include "input_text/utf8.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tagora {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Where and why the page cannot be read.
struct PageError {
    std::size_t offset;
    std::string message;
};

enum class Kind { Name, String, Other, Punct };

struct JavaToken {
    Kind kind;
    std::size_t begin;  // in the page
    std::size_t end;
    std::string value;  // a string literal's characters, in UTF-8
    bool convertible = true;  // a string literal that template text can hold
};

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'
           || static_cast<unsigned char>(c) >= 0x80;
}

// A Java string literal's characters, as javac reads them: \uXXXX first
// (never a quote, a backslash or a line break in this reader), then the
// escapes. Escapes beyond ASCII are written in UTF-8, which the page holds
// as the same characters only when it is read as UTF-8.
class StringLiteral {
public:
    StringLiteral(std::string_view page, std::size_t open, bool pageIsUtf8)
        : m_page(page), m_at(open + 1), m_pageIsUtf8(pageIsUtf8)
    {
    }

    JavaToken read()
    {
        const std::size_t open = m_at - 1;
        while (true) {
            if (m_at >= m_page.size() || m_page[m_at] == '\n' || m_page[m_at] == '\r')
                throw PageError{open, "a string that does not end on its line"};
            const char c = m_page[m_at];
            if (c == '"')
                break;
            if (c == '\\')
                escape();
            else
                m_value += m_page[m_at++];
        }
        ++m_at;
        flushSurrogate();
        return {Kind::String, open, m_at, std::move(m_value), m_convertible};
    }

private:
    void escape()
    {
        const std::size_t start = m_at;
        if (m_at + 1 >= m_page.size())
            throw PageError{start, "a string that does not end on its line"};
        const char kind = m_page[m_at + 1];
        if (kind == 'u')
            return unicodeEscape(start);
        if (kind >= '0' && kind <= '7') {
            unsigned value = 0;
            std::size_t digits = 0;
            const std::size_t most = kind <= '3' ? 3 : 2;
            for (m_at += 1; digits < most && m_at < m_page.size() && m_page[m_at] >= '0' && m_page[m_at] <= '7';
                 ++digits, ++m_at)
                value = value * 8 + static_cast<unsigned>(m_page[m_at] - '0');
            return put(value, true);
        }
        static constexpr std::string_view kEscapes = "btnfrs\"'\\";
        static constexpr std::string_view kValues = "\b\t\n\f\r \"'\\";
        const std::size_t which = kEscapes.find(kind);
        if (which == kNone)
            throw PageError{start, std::string("an escape \\") + kind + " that Java does not have"};
        m_at += 2;
        put(static_cast<unsigned char>(kValues[which]), false);
    }

    void unicodeEscape(std::size_t start)
    {
        std::size_t at = start + 1;
        while (at < m_page.size() && m_page[at] == 'u')
            ++at;
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i, ++at) {
            const int digit = at < m_page.size() ? hexDigitValue(m_page[at]) : -1;
            if (digit < 0)
                throw PageError{start, "a \\u escape without four hexadecimal digits"};
            value = value * 16 + static_cast<unsigned>(digit);
        }
        if (value == '"' || value == '\\' || value == '\n' || value == '\r')
            throw PageError{start, "a \\u escape of a quote, a backslash or a line break, which Java reads as code"};
        m_at = at;
        put(value, true);
    }

    // A UTF-16 code unit of the string.
    void put(unsigned unit, bool escaped)
    {
        m_convertible = m_convertible && !(escaped && unit >= 0x80 && !m_pageIsUtf8);
        if (m_high != 0 && unit >= 0xDC00 && unit <= 0xDFFF) {
            appendCharacter(0x10000 + ((m_high - 0xD800) << 10) + (unit - 0xDC00));
            m_high = 0;
            return;
        }
        flushSurrogate();
        if (unit >= 0xD800 && unit <= 0xDBFF)
            m_high = unit;
        else if (unit >= 0xDC00 && unit <= 0xDFFF)
            m_convertible = false;  // a lone surrogate: no UTF-8 holds it
        else
            appendCharacter(unit);
    }

    void flushSurrogate()
    {
        if (m_high != 0)
            m_convertible = false;
        m_high = 0;
    }

    void appendCharacter(char32_t c)
    {
        char bytes[4];
        m_value.append(bytes, utf8::encode(c, bytes));
    }

    std::string_view m_page;
    std::size_t m_at;
    bool m_pageIsUtf8;
    std::string m_value;
    unsigned m_high = 0;
    bool m_convertible = true;
};

// The Java of a scriptlet as tokens; whitespace and comments make none.
// nullopt where the reader does not follow the code: a \u escape or a
// text block outside strings.
std::optional<std::vector<JavaToken>> javaTokens(std::string_view page, std::size_t begin, std::size_t end,
                                                 bool pageIsUtf8)
{
    std::vector<JavaToken> tokens;
    std::size_t at = begin;
    while (at < end) {
        const char c = page[at];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
            ++at;
        } else if (page.substr(at, 2) == "//") {
            at = std::min(end, page.find_first_of("\r\n", at));
        } else if (page.substr(at, 2) == "/*") {
            const std::size_t close = page.find("*/", at + 2);
            if (close == kNone || close + 2 > end)
                throw PageError{at, "a comment that does not end in its scriptlet"};
            at = close + 2;
        } else if (c == '\\' || page.substr(at, 3) == "\"\"\"") {
            return std::nullopt;
        } else if (c == '"') {
            tokens.push_back(StringLiteral(page.substr(0, end), at, pageIsUtf8).read());
            at = tokens.back().end;
        } else if (c == '\'') {
            std::size_t close = at + 1;
            while (close < end && page[close] != '\'' && page[close] != '\n')
                close += page[close] == '\\' ? 2 : 1;
            if (close >= end || page[close] != '\'')
                throw PageError{at, "a character literal that does not end"};
            tokens.push_back({Kind::Other, at, close + 1, {}});
            at = close + 1;
        } else if (isNameCharacter(c)) {
            const std::size_t start = at;
            while (at < end && (isNameCharacter(page[at]) || (page[at] == '.' && start < at && c >= '0' && c <= '9')))
                ++at;
            tokens.push_back({c >= '0' && c <= '9' ? Kind::Other : Kind::Name, start, at, {}});
        } else {
            tokens.push_back({Kind::Punct, at, at + 1, {}});
            ++at;
        }
    }
    return tokens;
}

// What template text may not hold of a string: what the page would read
// as a JSP element, EL, a tag of an action or an escape, and at its edges
// what could join the text around it into one. ("%>" is text there.)
bool fitsTemplateText(std::string_view text)
{
    for (const std::string_view sequence : {"<%", "${", "#{", "\\", "<jsp:"}) {
        if (text.find(sequence) != kNone)
            return false;
    }
    for (std::size_t open = text.find('<'); open != kNone; open = text.find('<', open + 1)) {
        std::size_t after = open + 1;
        while (after < text.size() && (isNameCharacter(text[after]) || text[after] == '-'))
            ++after;
        if (after == text.size() || (after > open + 1 && text[after] == ':'))
            return false;  // a prefixed tag, or one the text after it may finish
    }
    const std::size_t firstName = std::find_if_not(text.begin(), text.end(), isNameCharacter) - text.begin();
    if (firstName > 0 && firstName < text.size() && text[firstName] == ':')
        return false;  // the rest of a prefixed tag that the text before starts
    return !text.empty() && std::string_view("%{:").find(text.front()) == kNone
           && std::string_view("$#").find(text.back()) == kNone;
}

// One statement out.print(...), out.println(...) or out.write(...) as
// template pieces.
struct Piece {
    bool text;
    std::string content;  // template text, or the expression of <%= %>
    bool literal = false;  // an expression that is a literal: it reads nothing
};

// The number of UTF-16 units of UTF-8 text, and whether one of its
// characters lies beyond U+FFFF.
std::pair<std::size_t, bool> utf16Length(std::string_view text)
{
    std::size_t units = 0;
    bool beyond = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;
        if (byte >= 0xF0) {
            ++units;
            beyond = true;
        }
    }
    return {units, beyond};
}

// Jasper writes template text of three UTF-16 units or fewer one char at a
// time: a character beyond U+FFFF, two units, then comes out as "??".
bool jasperWritesCharByChar(std::string_view text)
{
    const auto [units, beyond] = utf16Length(text);
    return beyond && units <= 3;
}

// Java types whose values a string concatenation turns into text without
// running code of the page or throwing; the boxed ones only alone, where
// nothing unboxes them.
const std::set<std::string_view, std::less<>> kPlainTypes{
    "String", "int", "long", "short", "byte", "double", "float", "boolean", "char",
};
const std::set<std::string_view, std::less<>> kBoxedTypes{
    "Integer", "Long", "Short", "Byte", "Double", "Float", "Boolean", "Character",
};

// The names the page declares, and whether each is only ever declared of
// one of those types.
class PageNames {
public:
    void survey(std::string_view page, const std::vector<JavaToken>& tokens)
    {
        for (std::size_t i = 1; i < tokens.size(); ++i) {
            if (isArrow(page, tokens, i))
                lambdaParameters(page, tokens, i - 1);
            if (tokens[i].kind != Kind::Name)
                continue;
            const std::string_view name = textOf(page, tokens[i]);
            const bool declared = i + 1 < tokens.size() && tokens[i + 1].kind == Kind::Punct
                                  && std::string_view("=;,):").find(page[tokens[i + 1].begin]) != kNone;
            const JavaToken& before = tokens[i - 1];
            if (!declared)
                continue;
            if (before.kind == Kind::Punct && (page[before.begin] == '>' || page[before.begin] == ']')) {
                m_kinds[std::string(name)] |= kOther;  // of a generic or an array type
            } else if (before.kind == Kind::Name && !kNotTypes.count(textOf(page, before))) {
                const std::string_view type = textOf(page, before);
                m_kinds[std::string(name)] |= kPlainTypes.count(type) ? kPlain : kBoxedTypes.count(type) ? kBoxed : kOther;
            }
        }
    }

    // Whether the name is declared, only of a plain type (boxed too when
    // `alone`).
    bool isPlain(std::string_view name, bool alone) const
    {
        const auto found = m_kinds.find(name);
        if (found == m_kinds.end() || (found->second & kOther) != 0)
            return false;
        return alone || (found->second & kBoxed) == 0;
    }

private:
    static std::string_view textOf(std::string_view page, const JavaToken& token)
    {
        return page.substr(token.begin, token.end - token.begin);
    }

    // "->" at i.
    static bool isArrow(std::string_view page, const std::vector<JavaToken>& tokens, std::size_t i)
    {
        return i + 1 < tokens.size() && textOf(page, tokens[i]) == "-" && textOf(page, tokens[i + 1]) == ">"
               && tokens[i + 1].begin == tokens[i].end;
    }

    // The parameters of the lambda whose "->" follows `last`: of any type.
    void lambdaParameters(std::string_view page, const std::vector<JavaToken>& tokens, std::size_t last)
    {
        std::size_t first = last;
        if (textOf(page, tokens[last]) == ")") {
            while (first > 0 && textOf(page, tokens[first]) != "(")
                --first;
        }
        for (std::size_t k = first; k <= last; ++k) {
            if (tokens[k].kind == Kind::Name)
                m_kinds[std::string(textOf(page, tokens[k]))] |= kOther;
        }
    }

    // Words before a name that are not its type.
    static inline const std::set<std::string_view, std::less<>> kNotTypes{
        "return", "else", "case", "throw", "new", "assert", "yield", "do", "break", "continue", "default",
        "instanceof", "extends", "implements", "import", "package",
    };
    static constexpr int kPlain = 1;
    static constexpr int kBoxed = 2;
    static constexpr int kOther = 4;
    std::map<std::string, int, std::less<>> m_kinds;
};

// How the page is read as a whole: the names it declares, the prefix of
// the variables pieces are evaluated into, and how many so far.
struct PageFacts {
    PageNames names;
    std::string valuePrefix = "written";
    std::size_t values = 0;
};

class ScriptletConverter {
public:
    // shortTextBefore / shortTextAfter: the page's text just before or
    // after the scriptlet is one Jasper writes char by char, which text
    // of a print joined to it would change.
    ScriptletConverter(std::string_view page, std::vector<JavaToken> tokens, std::size_t begin, std::size_t end,
                       PageFacts& facts, bool shortTextBefore, bool shortTextAfter)
        : m_page(page), m_tokens(std::move(tokens)), m_begin(begin), m_end(end), m_facts(facts),
          m_shortTextBefore(shortTextBefore), m_shortTextAfter(shortTextAfter)
    {
    }

    WriteNotes takeNotes() { return std::move(m_notes); }

    std::string run()
    {
        std::size_t codeStart = m_begin;
        int depth = 0;
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            if (depth == 0 && atStatementStart(i)) {
                std::size_t after = 0;
                m_reason.clear();
                std::optional<std::vector<Piece>> pieces = printStatement(i, after);
                if (pieces && joinsShortText(*pieces, codeStart, i, after)) {
                    pieces.reset();
                    m_reason = "its text holds a character beyond U+FFFF that Jasper would write char by char, as \"??\"";
                }
                if (pieces) {
                    putCode(codeStart, m_tokens[i].begin);
                    putPieces(*pieces);
                    codeStart = m_tokens[after - 1].end;
                    i = after - 1;
                    continue;
                }
                if (!m_reason.empty())
                    note(i, m_reason);
            } else if (isPrintCall(i)) {
                note(i, depth > 0 ? "it is inside an expression" : "it is the body of an if, else or loop without braces");
            }
            depth += opens(m_tokens[i]) - closes(m_tokens[i]);
        }
        putCode(codeStart, m_end);
        return std::move(m_out);
    }

private:
    // Whether the print's text would join text of the page that Jasper
    // writes char by char, or be such text itself.
    bool joinsShortText(const std::vector<Piece>& pieces, std::size_t codeStart, std::size_t i, std::size_t after) const
    {
        for (const Piece& piece : pieces) {
            if (piece.text && jasperWritesCharByChar(piece.content))
                return true;
        }
        const bool first = m_page.substr(codeStart, m_tokens[i].begin - codeStart).find_first_not_of(" \t\r\n\f") == kNone
                           && codeStart == m_begin;
        const std::size_t lastEnd = m_tokens[after - 1].end;
        const bool last = after == m_tokens.size()
                          && m_page.substr(lastEnd, m_end - lastEnd).find_first_not_of(" \t\r\n\f") == kNone;
        return (first && m_shortTextBefore && pieces.front().text) || (last && m_shortTextAfter && pieces.back().text);
    }

    // out.print(, out.println( or out.write( at i.
    bool isPrintCall(std::size_t i) const
    {
        if (!isName(i, "out") || !isPunct(i + 1, '.') || !isPunct(i + 3, '('))
            return false;
        const std::string_view method = text(m_tokens[i + 2]);
        return method == "print" || method == "println" || method == "write";
    }

    // No pieces, and why: for the note of the statement left as code.
    std::nullopt_t noPieces(std::string reason) const
    {
        m_reason = std::move(reason);
        return std::nullopt;
    }

    void note(std::size_t i, std::string reason)
    {
        const ScriptReadError place = m_places.at(m_tokens[i].begin, {});
        m_notes.push_back({place.line, place.column, std::move(reason)});
    }

    bool isPunct(std::size_t i, char c) const
    {
        return i < m_tokens.size() && m_tokens[i].kind == Kind::Punct && m_page[m_tokens[i].begin] == c;
    }
    bool isName(std::size_t i, std::string_view name) const
    {
        return i < m_tokens.size() && m_tokens[i].kind == Kind::Name && text(m_tokens[i]) == name;
    }
    std::string_view text(const JavaToken& token) const { return m_page.substr(token.begin, token.end - token.begin); }
    int opens(const JavaToken& token) const { return token.kind == Kind::Punct && (text(token) == "(" || text(token) == "["); }
    int closes(const JavaToken& token) const { return token.kind == Kind::Punct && (text(token) == ")" || text(token) == "]"); }

    // After ";", "{" or "}", or first: not the body of an if, a loop or
    // a label without braces.
    bool atStatementStart(std::size_t i) const
    {
        return i == 0 || isPunct(i - 1, ';') || isPunct(i - 1, '{') || isPunct(i - 1, '}');
    }

    // The pieces of the statement at i, which ends before `after`; nullopt
    // when it is not one that is turned into a template.
    std::optional<std::vector<Piece>> printStatement(std::size_t i, std::size_t& after) const
    {
        if (!isPrintCall(i))
            return std::nullopt;
        const std::string_view method = text(m_tokens[i + 2]);
        const std::size_t argumentsStart = i + 4;
        std::size_t close = argumentsStart;
        std::vector<std::pair<std::size_t, std::size_t>> operands;  // token ranges joined by +
        std::size_t operandStart = argumentsStart;
        for (int depth = 0; close < m_tokens.size(); ++close) {
            if (depth == 0 && (isPunct(close, ')') || isPunct(close, '+'))) {
                operands.emplace_back(operandStart, close);
                operandStart = close + 1;
                if (isPunct(close, ')'))
                    break;
                continue;
            }
            if (depth == 0 && m_tokens[close].kind == Kind::Punct && !opens(m_tokens[close]) && !isPunct(close, '.'))
                return noPieces("its argument joins values with an operator other than +");
            depth += opens(m_tokens[close]) - closes(m_tokens[close]);
        }
        if (close >= m_tokens.size() || !isPunct(close + 1, ';'))
            return noPieces("it is not a statement of its own");
        after = close + 2;
        return pieces(method, operands);
    }

    std::optional<std::vector<Piece>> pieces(std::string_view method,
                                             const std::vector<std::pair<std::size_t, std::size_t>>& operands) const
    {
        std::vector<Piece> result;
        m_evaluateFirst = false;
        const bool firstIsString = isStringOperand(operands.front());
        // write(int) writes a character; a sum of numbers is not text:
        // only a single expression or a string's concatenation.
        if (operands.front().first == operands.front().second)
            return noPieces("it prints nothing, or its argument cannot be read");
        if (!firstIsString && method == "write")
            return noPieces("out.write of a number writes a character");
        if (!firstIsString && operands.size() > 1)
            return noPieces("its argument does not start with a string: + may add numbers first");
        for (const auto& [first, last] : operands) {
            if (first == last)
                return noPieces("an operand of + is missing");
            if (isStringOperand({first, last})) {
                if (!m_tokens[first].convertible)
                    return noPieces("a \\u escape beyond ASCII, in a page not read as UTF-8");
                if (!fitsTemplateText(m_tokens[first].value))
                    return noPieces("its text holds what a JSP page reads as code: EL, a tag, <%, a backslash");
                result.push_back({true, m_tokens[first].value});
            } else if (operands.size() > 1 && last == first + 1 && isName(first, "null")) {
                result.push_back({true, "null"});  // as a concatenation writes it; print(null) does not compile
            } else {
                const bool literal = last == first + 1 && (m_tokens[first].kind == Kind::Other || isName(first, "true")
                                                           || isName(first, "false"));
                result.push_back({false, std::string(m_page.substr(m_tokens[first].begin, m_tokens[last - 1].end - m_tokens[first].begin)),
                                  literal});
                // print(x) alone is the page's own call, overload and all.
                m_evaluateFirst = m_evaluateFirst || (operands.size() > 1 && !plainOperand(first, last));
            }
        }
        if (method == "println")
            result.push_back({false, {}});  // the line separator of the server's system
        return result;
    }

    // Whether the operand [first, last) turns into text without running
    // code, throwing or changing a value: literals and names declared of
    // plain types, joined by operators that cannot throw.
    bool plainOperand(std::size_t first, std::size_t last) const
    {
        const bool alone = last == first + 1;
        for (std::size_t i = first; i < last; ++i) {
            const JavaToken& token = m_tokens[i];
            if (token.kind == Kind::Punct && std::string_view("()?:+-*<>=!&|^~").find(m_page[token.begin]) == kNone)
                return false;  // a member, an element, a division...
            if (token.kind != Kind::Name || isName(i, "true") || isName(i, "false") || isName(i, "null"))
                continue;
            if (isPunct(i + 1, '(') || !m_facts.names.isPlain(text(token), alone))
                return false;
        }
        return true;
    }

    bool isStringOperand(std::pair<std::size_t, std::size_t> operand) const
    {
        return operand.second == operand.first + 1 && m_tokens[operand.first].kind == Kind::String;
    }

    void putCode(std::size_t from, std::size_t to)
    {
        const std::string_view code = m_page.substr(from, to - from);
        if (code.find_first_not_of(" \t\r\n\f") != kNone)
            m_out.append("<%").append(code).append("%>");
    }

    // A concatenation runs the code of its operands, toString() included,
    // before anything is printed: when one may print, throw or change a
    // value, every operand that is not a literal is evaluated first, into
    // a String as the concatenation makes it, in order.
    void putPieces(const std::vector<Piece>& pieces)
    {
        std::vector<std::string> names(pieces.size());
        if (m_evaluateFirst) {
            m_out += "<%";
            for (std::size_t p = 0; p < pieces.size(); ++p) {
                if (pieces[p].text || pieces[p].literal || pieces[p].content.empty())
                    continue;
                names[p] = m_facts.valuePrefix + std::to_string(++m_facts.values);
                m_out.append(" String ").append(names[p]).append(" = \"\" + (").append(pieces[p].content).append(");");
            }
            m_out += " %>";
        }
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const Piece& piece = pieces[p];
            if (piece.text)
                m_out += piece.content;
            else if (piece.content.empty())
                m_out += "<% out.println(); %>";
            else
                m_out.append("<%= ").append(names[p].empty() ? piece.content : names[p]).append(" %>");
        }
    }

    std::string_view m_page;
    ScriptPlaces m_places{m_page};  // of the notes
    std::vector<JavaToken> m_tokens;
    std::size_t m_begin;
    std::size_t m_end;
    PageFacts& m_facts;
    bool m_shortTextBefore;
    bool m_shortTextAfter;
    mutable bool m_evaluateFirst = false;  // for the print statement read last
    mutable std::string m_reason;          // why the print statement read last stays code
    WriteNotes m_notes;
    std::string m_out;
};

// Whether the page's source is read as UTF-8: its pageEncoding, else the
// charset of its contentType (ISO-8859-1 when neither is given).
bool readsAsUtf8(std::string_view page)
{
    for (const std::string_view attribute : {"pageEncoding=\"", "charset="}) {
        for (std::size_t at = page.find("<%@"); at != kNone; at = page.find("<%@", at + 3)) {
            const std::string_view directive = page.substr(at, page.find("%>", at) - at);
            const std::size_t found = directive.find(attribute);
            if (found == kNone)
                continue;
            std::string value(directive.substr(found + attribute.size(), 5));
            std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
            return value == "utf-8";
        }
    }
    return false;
}

// Whether text ending with `before` and text starting with `after`, once
// nothing lies between them, would read as more than the two texts: a
// JSP element, EL, an escape or the name of a tag that crosses the join.
bool joinsAcross(std::string_view before, std::string_view after)
{
    if (before.empty() || after.empty())
        return false;
    if (before.back() == '\\')
        return true;
    const std::string_view tail = before.substr(before.size() - std::min<std::size_t>(before.size(), 4));
    const std::string joined = std::string(tail).append(after.substr(0, 4));
    for (const std::string_view sequence : {"<%", "${", "#{", "<jsp:"}) {
        for (std::size_t found = joined.find(sequence); found != kNone; found = joined.find(sequence, found + 1)) {
            if (found < tail.size() && found + sequence.size() > tail.size())
                return true;
        }
    }
    std::size_t name = before.size();
    while (name > 0 && (isNameCharacter(before[name - 1]) || before[name - 1] == '-' || before[name - 1] == ':'))
        --name;
    const bool tagNameBefore = name > 0 && before[name - 1] == '<';
    return tagNameBefore && (isNameCharacter(after.front()) || after.front() == '-' || after.front() == ':');
}

// Where the element that starts at `at` ends.
std::size_t elementEnd(std::string_view page, std::size_t at)
{
    const bool comment = page.substr(at, 4) == "<%--";
    const std::string_view close = comment ? "--%>" : "%>";
    const std::size_t found = page.find(close, at + (comment ? 4 : 2));
    if (found == kNone)
        throw PageError{at, comment ? "a JSP comment that nothing closes" : "a \"<%\" that no \"%>\" closes"};
    return found + close.size();
}

// A prefix that no name of the page starts with, followed by a digit.
std::string valuePrefix(std::string_view page)
{
    std::string prefix = "written";
    const auto taken = [&] {
        for (std::size_t at = page.find(prefix); at != kNone; at = page.find(prefix, at + 1)) {
            if (at + prefix.size() < page.size() && page[at + prefix.size()] >= '0' && page[at + prefix.size()] <= '9')
                return true;
        }
        return false;
    };
    while (taken())
        prefix += '_';
    return prefix;
}

// Reads the names every scriptlet and declaration declares.
PageFacts surveyPage(std::string_view page, bool utf8)
{
    PageFacts facts;
    facts.valuePrefix = valuePrefix(page);
    for (std::size_t open = page.find("<%"), at = 0; open != kNone; open = page.find("<%", at)) {
        const std::size_t end = elementEnd(page, open);
        at = end;
        const std::string_view element = page.substr(open, end - open);
        const char kind = element.size() > 4 ? element[2] : ' ';
        if (kind == '-' || kind == '@' || kind == '=' || element.find("%\\>") != kNone)
            continue;
        const std::size_t begin = open + (kind == '!' ? 3 : 2);
        if (std::optional<std::vector<JavaToken>> tokens = javaTokens(page, begin, end - 2, utf8))
            facts.names.survey(page, *tokens);
    }
    return facts;
}

std::string convert(std::string_view page, WriteNotes& notes)
{
    const bool utf8 = readsAsUtf8(page);
    PageFacts facts = surveyPage(page, utf8);
    std::string result;
    std::size_t at = 0;
    for (std::size_t open = page.find("<%"); open != kNone; open = page.find("<%", at)) {
        result.append(page.substr(at, open - at));
        const std::size_t textStart = at;
        const std::size_t end = elementEnd(page, open);
        const std::string_view element = page.substr(open, end - open);
        at = end;
        const char kind = element.size() > 4 ? element[2] : ' ';
        if (kind == '-' || kind == '@' || kind == '!' || kind == '=' || element.find("%\\>") != kNone) {
            result.append(element);
            continue;
        }
        std::optional<std::vector<JavaToken>> tokens = javaTokens(page, open + 2, end - 2, utf8);
        if (tokens) {
            const std::size_t next = page.find("<%", end);
            const bool shortBefore = jasperWritesCharByChar(page.substr(textStart, open - textStart));
            const bool shortAfter = jasperWritesCharByChar(page.substr(end, next == kNone ? kNone : next - end));
            ScriptletConverter scriptlet(page, std::move(*tokens), open + 2, end - 2, facts, shortBefore, shortAfter);
            const std::string converted = scriptlet.run();
            // The scriptlet stays as written where what it becomes would
            // join the texts around it into one element: nothing between
            // them, or its own text with them.
            const std::string_view after = page.substr(end);
            if (joinsAcross(result, converted.empty() ? after : std::string_view(converted))
                || (!converted.empty() && joinsAcross(converted, after)))
                result.append(element);
            else
                result.append(converted);
            for (WriteNote& note : scriptlet.takeNotes())
                notes.push_back(std::move(note));
        }
        else
            result.append(element);
    }
    return result.append(page.substr(at));
}

}  // namespace

std::variant<std::string, ScriptReadError> jspTemplate(std::string_view page, WriteNotes* notes)
{
    try {
        WriteNotes found;
        std::string made = convert(page, found);
        if (notes)
            *notes = std::move(found);
        return made;
    } catch (const PageError& error) {
        return errorAtOffset(page, error.offset, error.message);
    }
}

}  // namespace tagora
