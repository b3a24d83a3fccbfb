#include "php_syntax_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tagora::php {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Operators that stand between two operands.
constexpr std::string_view kBinary[] = {
    "*",  "/",  "%",   ".",   "**",  "==",  "!=",  "<>",  "===", "!==", "<",  ">",  "<=", ">=",
    "<=>", "&&", "||",  "??",  "|",   "^",   "<<",  ">>",  "=",   "+=",  "-=", "*=", "/=", ".=",
    "%=", "**=", "&=",  "|=",  "^=",  "<<=", ">>=", "?\?=", "=>",  "->",  "?->"};
// Operators that may also stand before their only operand.
constexpr std::string_view kPrefix[] = {"+", "-", "!", "~", "@"};
// Keywords that start a statement and nothing else.
constexpr std::string_view kStatementKeywords[] = {
    "echo",   "if",      "elseif",   "else",     "while", "for",    "foreach",   "switch",     "do",
    "return", "global",  "break",    "continue", "try",   "catch",  "finally",   "goto",       "declare",
    "case",   "endif",   "endwhile", "endfor",   "endforeach", "endswitch", "var"};
// Names that may follow a value: operators and the words of a foreach,
// a closure, a class or a trait.
constexpr std::string_view kAfterValue[] = {"and", "or", "xor", "instanceof", "as", "insteadof", "use", "extends",
                                           "implements"};
// Names after which a keyword is a member's name.
constexpr std::string_view kMemberAccess[] = {"->", "?->", "::"};
// Statements that take a list separated by commas.
constexpr std::string_view kListKeywords[] = {
    "echo", "global", "static", "const", "use", "var", "public", "protected", "private", "readonly", "implements",
    "extends"};
// Keywords whose parenthesised condition a statement follows.
constexpr std::string_view kControl[] = {"if", "elseif", "while", "for", "foreach", "switch", "declare"};
// Keywords that a "(" must follow.
constexpr std::string_view kBeforeBracket[] = {"if", "elseif", "while", "for", "foreach", "switch", "declare", "catch"};
// Keywords that an operand must follow.
constexpr std::string_view kBeforeOperand[] = {"echo",    "print",        "new",     "clone",        "throw",
                                               "include", "include_once", "require", "require_once", "instanceof"};
constexpr std::string_view kCasts[] = {"int",    "integer", "bool",  "boolean", "float",  "double",
                                      "real",   "string",  "binary", "array",  "object", "unset"};

class Checker {
public:
    Checker(const Lexed& lexed, std::string_view script) : m_t(lexed.tokens), m_s(script) {}

    void run()
    {
        std::vector<std::uint32_t> open;  // the brackets open around the unit
        std::size_t u = 0;
        while (u < m_t.size() && m_t[u].kind == TokenKind::InlineHtml)
            ++u;
        for (u = u < m_t.size() ? u : kNone; u != kNone; u = nextUnit(u)) {
            if (isClosing(u) && !open.empty())
                open.pop_back();
            m_around = open.empty() ? kNone : open.back();
            operands(u);
            statementKeyword(u);
            adjacentValues(u);
            semicolon(u);
            comma(u);
            dollar(u);
            keywordFollowers(u);
            doubleArrow(u);
            closingBrace(u);
            if (isOpening(u))
                open.push_back(static_cast<std::uint32_t>(u));
        }
    }

private:
    std::string_view text(std::size_t i) const { return m_s.substr(m_t[i].begin, m_t[i].end - m_t[i].begin); }
    bool punct(std::size_t i, std::string_view p) const { return i != kNone && isPunct(m_t[i], m_s, p); }
    template <std::size_t N>
    bool punctIn(std::size_t i, const std::string_view (&set)[N]) const
    {
        return i != kNone && m_t[i].kind == TokenKind::Punct && std::find(set, set + N, text(i)) != set + N;
    }
    template <std::size_t N>
    bool nameIn(std::size_t i, const std::string_view (&set)[N]) const
    {
        return i != kNone && m_t[i].kind == TokenKind::Name
               && std::any_of(set, set + N, [&](std::string_view n) { return php::isName(m_t[i], m_s, n); });
    }
    std::size_t link(std::size_t i) const { return i == kNone || m_t[i].link == kNoLink ? kNone : m_t[i].link; }
    bool isOpening(std::size_t i) const { return punct(i, "(") || punct(i, "[") || punct(i, "{") || punct(i, "#["); }
    bool isClosing(std::size_t i) const { return punct(i, ")") || punct(i, "]") || punct(i, "}"); }
    // The units of the code are its tokens but inline HTML, a string (with
    // what it holds) being one unit: its opening.
    std::size_t nextUnit(std::size_t u) const
    {
        const Token& token = m_t[u];
        std::size_t next = opensStringOrInterpolation(token.kind) && token.link != kNoLink && token.link > u
                               ? token.link + 1 : u + 1;
        while (next < m_t.size() && m_t[next].kind == TokenKind::InlineHtml)
            ++next;
        return next < m_t.size() ? next : kNone;
    }
    std::size_t prevUnit(std::size_t u) const
    {
        for (std::size_t k = u; k-- > 0;) {
            if (m_t[k].kind == TokenKind::InlineHtml)
                continue;
            return m_t[k].kind == TokenKind::StringEnd ? m_t[k].link : k;  // a string's end: its opening
        }
        return kNone;
    }
    bool isTag(std::size_t i) const
    {
        return i != kNone
               && (m_t[i].kind == TokenKind::OpenTag || m_t[i].kind == TokenKind::OpenTagWithEcho
                   || m_t[i].kind == TokenKind::CloseTag);
    }
    // The token before the bracket that closes at i (or opens at i).
    std::size_t beforeOpening(std::size_t i) const
    {
        const std::size_t opening = isClosing(i) ? link(i) : i;
        return opening == kNone ? kNone : prevUnit(opening);
    }
    bool isName(std::size_t i, std::string_view name) const { return i != kNone && php::isName(m_t[i], m_s, name); }
    bool controlBracket(std::size_t closing) const { return nameIn(beforeOpening(closing), kControl); }
    bool cast(std::size_t closing) const
    {
        const std::size_t opening = link(closing);
        return opening != kNone && opening + 2 == closing && nameIn(opening + 1, kCasts);
    }
    // Tokens that stand for a whole value: a variable, a number, a string
    // (one holding variables is read from its first token) or a constant
    // such as __LINE__.
    static bool literalValue(TokenKind kind)
    {
        return kind == TokenKind::Variable || kind == TokenKind::Number || kind == TokenKind::String
               || kind == TokenKind::LineConstant || kind == TokenKind::StringStart || kind == TokenKind::ShellStart;
    }
    bool valueEnd(std::size_t i) const
    {
        if (literalValue(m_t[i].kind))
            return true;
        switch (m_t[i].kind) {
        case TokenKind::Punct:
            if (punct(i, ")"))
                return !controlBracket(i) && !cast(i);
            return punct(i, "]") && !punct(link(i), "#[");
        default:
            return false;
        }
    }
    bool valueStart(std::size_t i) const
    {
        if (literalValue(m_t[i].kind))
            return true;
        switch (m_t[i].kind) {
        case TokenKind::Name:
            return !nameIn(i, kAfterValue);
        default:
            return false;
        }
    }
    [[noreturn]] void fail(std::size_t i, const std::string& why) const
    {
        throw SourceError{i == kNone ? m_s.size() : m_t[i].begin, "syntax error: " + why};
    }
    std::string quoted(std::size_t i) const
    {
        std::string shown(1, '`');
        shown.append(text(i)).push_back('`');
        return shown;
    }

    // An operator with nothing it could apply to on one side.
    void operands(std::size_t u) const
    {
        const std::size_t i = u;
        const bool binary = punctIn(i, kBinary);
        if (!binary && !punctIn(i, kPrefix))
            return;
        const std::size_t next = nextUnit(u);
        if (next == kNone || isTag(next) || punct(next, ";") || punct(next, ",") || isClosing(next)
            || punctIn(next, kBinary))
            fail(next, quoted(i) + " has no operand after it");
        const std::size_t previous = prevUnit(u);
        if (binary
            && (previous == kNone || isTag(previous) || isOpening(previous) || punct(previous, ",")
                || punct(previous, ";") || punctIn(previous, kBinary) || punctIn(previous, kPrefix)))
            fail(i, quoted(i) + " has no operand before it");
    }

    void adjacentValues(std::size_t u) const
    {
        const std::size_t previous = prevUnit(u);
        if (previous != kNone && valueEnd(previous) && valueStart(u))
            fail(u, "a value right after another value (is an operator, \",\" or \";\" missing?)");
    }

    // A keyword that only starts a statement, after something a statement
    // cannot follow.
    void statementKeyword(std::size_t u) const
    {
        const std::size_t i = u;
        if (!nameIn(i, kStatementKeywords))
            return;
        const std::size_t previous = prevUnit(u);
        if (previous == kNone || punct(previous, ";") || punct(previous, "{") || punct(previous, "}")
            || punct(previous, ":") || m_t[previous].kind == TokenKind::OpenTag
            || m_t[previous].kind == TokenKind::CloseTag || isName(previous, "else") || isName(previous, "do")
            || (punct(previous, ")") && controlBracket(previous)) || punctIn(previous, kMemberAccess)
            || isName(previous, "function") || isName(previous, "const"))
            return;
        if (punct(nextUnit(u), ":") && punct(m_around, "("))
            return;  // a named argument
        fail(i, quoted(i) + " cannot start here (is a \";\" missing before it?)");
    }

    // ";" inside brackets, other than the three parts of a for.
    void semicolon(std::size_t u) const
    {
        const std::size_t i = u;
        const std::size_t around = m_around;
        if (!punct(i, ";") || around == kNone || punct(around, "{"))
            return;
        if (punct(around, "(") && isName(beforeOpening(around), "for"))
            return;
        fail(i, "`;` inside " + quoted(around) + ", which is not closed before it");
    }

    // "," in a statement that takes no list, outside any brackets.
    void comma(std::size_t u) const
    {
        const std::size_t i = u;
        const std::size_t around = m_around;
        if (!punct(i, ",") || (around != kNone && !punct(around, "{")))
            return;
        if (around != kNone) {
            const std::size_t opener = beforeOpening(around);
            if (opener == kNone || (punct(opener, ")") && isName(beforeOpening(opener), "match"))
                || text(opener).ends_with('\\'))
                return;  // match's arms, a group of use
        }
        for (std::size_t j = prevUnit(u); j != kNone; j = prevUnit(j)) {
            if (j == around || punct(j, ";") || isTag(j)) {
                if (m_t[j].kind == TokenKind::OpenTagWithEcho)
                    return;
                break;
            }
            if (nameIn(j, kListKeywords) || punct(j, ","))
                return;  // an earlier "," of the statement passed already
            if (isClosing(j) && link(j) != kNone)
                j = link(j);  // over what the brackets hold (never a string's edge)
        }
        fail(i, "`,` in a statement that takes no list (is a bracket missing?)");
    }

    void dollar(std::size_t u) const
    {
        const std::size_t i = u;
        const std::size_t next = nextUnit(u);
        if (punct(i, "$")
            && (next == kNone || !(m_t[next].kind == TokenKind::Variable || punct(next, "$") || punct(next, "{"))))
            fail(next, "`$` without a variable name after it");
    }

    bool memberName(std::size_t u) const
    {
        const std::size_t previous = prevUnit(u);
        return punctIn(previous, kMemberAccess) || isName(previous, "function") || isName(previous, "const")
               || (punct(nextUnit(u), ":") && punct(m_around, "("));
    }

    // if, foreach... and their "("; echo, new... and their operand.
    void keywordFollowers(std::size_t u) const
    {
        const std::size_t i = u;
        const std::size_t next = nextUnit(u);
        if (nameIn(i, kBeforeBracket) && !memberName(u) && !punct(next, "("))
            fail(next, quoted(i) + " must be followed by `(`");
        if (nameIn(i, kBeforeOperand) && !memberName(u)
            && (next == kNone || isTag(next) || punct(next, ";") || punct(next, ",") || isClosing(next)))
            fail(next, quoted(i) + " has no operand after it");
        if (punct(i, ",") && punct(prevUnit(u), "(") && !isName(beforeOpening(prevUnit(u)), "list"))
            fail(i, "`,` with nothing before it");
    }

    // "=>" only stands in an array, a foreach, a match, after yield or
    // in an arrow function.
    void doubleArrow(std::size_t u) const
    {
        const std::size_t i = u;
        if (!punct(i, "=>"))
            return;
        const std::size_t around = m_around;
        if (punct(around, "[") || punct(around, "{")
            || (punct(around, "(") && (isName(beforeOpening(around), "array") || isName(beforeOpening(around), "list")
                                       || isName(beforeOpening(around), "foreach"))))
            return;
        for (std::size_t j = prevUnit(u); j != kNone; j = prevUnit(j)) {
            if (j == around || punct(j, ";") || punct(j, ",") || isTag(j))
                break;
            if (isName(j, "fn") || isName(j, "yield"))
                return;
            if (isClosing(j) && link(j) != kNone)
                j = link(j);  // over what the brackets hold (never a string's edge)
        }
        fail(i, "`=>` outside an array, a foreach, a match or an arrow function");
    }

    // A statement in braces that ends without ";" ({ $a }).
    void closingBrace(std::size_t u) const
    {
        const std::size_t i = u;
        const std::size_t previous = prevUnit(u);
        if (!punct(i, "}") || previous == kNone || !valueEnd(previous))
            return;
        const std::size_t opener = beforeOpening(i);
        if (punctIn(opener, kMemberAccess) || punct(opener, "$")
            || (punct(opener, ")") && isName(beforeOpening(opener), "match")))
            return;  // $a->{...}, ${...}, a match's arms
        fail(i, "`}` ends a statement that has no `;`");
    }

    const std::vector<Token>& m_t;
    std::string_view m_s;
    std::size_t m_around = kNone;  // the innermost opening bracket around the unit checked, or kNone
};

}  // namespace

void refuseMisplacedTokens(const Lexed& lexed, std::string_view script)
{
    Checker(lexed, script).run();
}

}  // namespace tagora::php
