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
                                               "include", "include_once", "require", "require_once", "instanceof",
                                               "as"};
constexpr std::string_view kCasts[] = {"int",    "integer", "bool",  "boolean", "float",  "double",
                                      "real",   "string",  "binary", "array",  "object", "unset"};
// PHP's keywords (and the words "enum" and "from", keywords where they
// stand): a name another name, a type's variable or a literal may follow.
constexpr std::string_view kKeywords[] = {
    "abstract",   "and",       "array",        "as",         "break",    "callable",   "case",         "catch",
    "class",      "clone",     "const",        "continue",   "declare",  "default",    "die",          "do",
    "echo",       "else",      "elseif",       "empty",      "enddeclare", "endfor",   "endforeach",   "endif",
    "endswitch",  "endwhile",  "enum",         "eval",       "exit",     "extends",    "final",        "finally",
    "fn",         "for",       "foreach",      "from",       "function", "global",     "goto",         "if",
    "implements", "include",   "include_once", "instanceof", "insteadof", "interface", "isset",        "list",
    "match",      "namespace", "new",          "or",         "print",    "private",    "protected",    "public",
    "readonly",   "require",   "require_once", "return",     "static",   "switch",     "throw",        "trait",
    "try",        "unset",     "use",          "var",        "while",    "xor",        "yield"};
// Keywords a string or a number may follow.
constexpr std::string_view kBeforeLiteral[] = {
    "echo", "print", "return", "case",   "include", "include_once", "require", "require_once",
    "yield", "from", "throw",  "and",    "or",      "xor",          "clone",   "else",         "do",
    "break", "continue"};
// Keywords a "{" cannot follow.
constexpr std::string_view kNotBeforeBrace[] = {
    "echo",    "print",        "new",   "clone",  "throw",    "include", "include_once", "require",
    "require_once", "instanceof", "as", "break", "continue", "return",  "global",       "goto", "case"};
// The modifiers of a class member.
constexpr std::string_view kModifiers[] = {"public", "protected", "private", "abstract", "final"};
constexpr std::string_view kAssignments[] = {"=",  "+=", "-=", "*=", "/=", ".=",  "%=",  "**=",
                                             "&=", "|=", "^=", "<<=", ">>=", "?\?="};

class Checker {
    // Token and unit numbers in 32 bits: the lexer refuses more tokens.
    using Index = std::uint32_t;
    static constexpr Index kNoIndex = UINT32_MAX;

public:
    Checker(const Lexed& lexed, std::string_view script)
        : m_t(lexed.tokens), m_s(script), m_unitOf(lexed.tokens.size(), kNoIndex)
    {
        for (std::size_t i = 0; i < m_t.size(); ++i) {
            if (m_t[i].kind == TokenKind::InlineHtml)
                continue;
            m_unitOf[i] = static_cast<Index>(m_units.size());
            m_units.push_back(static_cast<Index>(i));
            if (opensStringOrInterpolation(m_t[i].kind) && m_t[i].link != kNoLink && m_t[i].link > i)
                i = m_t[i].link;  // a string is one value
        }
        std::vector<Index> open;
        for (const Index i : m_units) {
            if (isClosing(i) && !open.empty())
                open.pop_back();
            m_enclosing.push_back(open.empty() ? kNoIndex : open.back());
            if (isOpening(i))
                open.push_back(i);
        }
    }

    void run() const
    {
        for (std::size_t u = 0; u < m_units.size(); ++u) {
            operands(u);
            statementKeyword(u);
            adjacentValues(u);
            semicolon(u);
            comma(u);
            dollar(u);
            keywordFollowers(u);
            doubleArrow(u);
            closingBrace(u);
            colonOrQuestionMark(u);
            asKeyword(u);
            afterName(u);
            functionKeyword(u);
            braceAfterBracket(u);
            emptyElement(u);
            emptyBrackets(u);
            assignmentToName(u);
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
    std::size_t unit(std::size_t u) const { return u < m_units.size() ? m_units[u] : kNone; }
    std::size_t before(std::size_t u) const { return u == 0 ? kNone : m_units[u - 1]; }
    static std::size_t widened(Index i) { return i == kNoIndex ? kNone : i; }
    // The unit of token i, or kNone.
    std::size_t unitOf(std::size_t i) const { return widened(m_unitOf[i]); }
    // The innermost opening bracket around unit u, or kNone.
    std::size_t enclosing(std::size_t u) const { return widened(m_enclosing[u]); }
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
        if (opening == kNone || unitOf(opening) == kNone || unitOf(opening) == 0)
            return kNone;
        return m_units[unitOf(opening) - 1];
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
        const std::size_t i = unit(u);
        const bool binary = punctIn(i, kBinary);
        if (!binary && !punctIn(i, kPrefix))
            return;
        const std::size_t next = unit(u + 1);
        if (next == kNone || isTag(next) || punct(next, ";") || punct(next, ",") || punct(next, ":") || isClosing(next)
            || punctIn(next, kBinary))
            fail(next, quoted(i) + " has no operand after it");
        const std::size_t previous = before(u);
        if (binary
            && (previous == kNone || isTag(previous) || isOpening(previous) || punct(previous, ",")
                || punct(previous, ";") || punctIn(previous, kBinary) || punctIn(previous, kPrefix)))
            fail(i, quoted(i) + " has no operand before it");
    }

    void adjacentValues(std::size_t u) const
    {
        const std::size_t previous = before(u);
        if (previous != kNone && valueEnd(previous) && valueStart(unit(u)))
            fail(unit(u), "a value right after another value (is an operator, \",\" or \";\" missing?)");
    }

    // A keyword that only starts a statement, after something a statement
    // cannot follow.
    void statementKeyword(std::size_t u) const
    {
        const std::size_t i = unit(u);
        if (!nameIn(i, kStatementKeywords))
            return;
        const std::size_t previous = before(u);
        if (previous == kNone || punct(previous, ";") || punct(previous, "{") || punct(previous, "}")
            || punct(previous, ":") || m_t[previous].kind == TokenKind::OpenTag
            || m_t[previous].kind == TokenKind::CloseTag || isName(previous, "else") || isName(previous, "do")
            || (punct(previous, ")") && controlBracket(previous)) || punctIn(previous, kMemberAccess)
            || isName(previous, "function") || isName(previous, "const"))
            return;
        if (punct(unit(u + 1), ":") && punct(enclosing(u), "("))
            return;  // a named argument
        fail(i, quoted(i) + " cannot start here (is a \";\" missing before it?)");
    }

    // ";" inside brackets, other than the three parts of a for.
    void semicolon(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t around = enclosing(u);
        if (!punct(i, ";") || around == kNone || punct(around, "{"))
            return;
        if (punct(around, "(") && isName(beforeOpening(around), "for"))
            return;
        fail(i, "`;` inside " + quoted(around) + ", which is not closed before it");
    }

    // "," in a statement that takes no list, outside any brackets.
    void comma(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t around = enclosing(u);
        if (!punct(i, ",") || (around != kNone && !punct(around, "{")))
            return;
        if (around != kNone) {
            const std::size_t opener = beforeOpening(around);
            if (opener == kNone || (punct(opener, ")") && isName(beforeOpening(opener), "match"))
                || text(opener).ends_with('\\'))
                return;  // match's arms, a group of use
        }
        for (std::size_t k = u; k-- > 0;) {
            const std::size_t j = m_units[k];
            if (j == around || punct(j, ";") || isTag(j)) {
                if (m_t[j].kind == TokenKind::OpenTagWithEcho)
                    return;
                break;
            }
            if (nameIn(j, kListKeywords) || punct(j, ","))
                return;  // an earlier "," of the statement passed already
            if (isClosing(j) && link(j) != kNone && unitOf(link(j)) != kNone)
                k = unitOf(link(j));
        }
        fail(i, "`,` in a statement that takes no list (is a bracket missing?)");
    }

    void dollar(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t next = unit(u + 1);
        if (punct(i, "$")
            && (next == kNone || !(m_t[next].kind == TokenKind::Variable || punct(next, "$") || punct(next, "{"))))
            fail(next, "`$` without a variable name after it");
    }

    bool memberName(std::size_t u) const
    {
        const std::size_t previous = before(u);
        return punctIn(previous, kMemberAccess) || isName(previous, "function") || isName(previous, "const")
               || (punct(unit(u + 1), ":") && punct(enclosing(u), "("));
    }

    // if, foreach... and their "("; echo, new... and their operand.
    void keywordFollowers(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t next = unit(u + 1);
        if (nameIn(i, kBeforeBracket) && !memberName(u) && !punct(next, "("))
            fail(next, quoted(i) + " must be followed by `(`");
        if (nameIn(i, kBeforeOperand) && !memberName(u)
            && (next == kNone || isTag(next) || punct(next, ";") || punct(next, ",") || isClosing(next)
                || punctIn(next, kBinary)))
            fail(next, quoted(i) + " has no operand after it");
        if (nameIn(i, kNotBeforeBrace) && !memberName(u) && punct(next, "{"))
            fail(next, quoted(i) + " cannot be followed by `{`");
        if (isName(i, "array") && !memberName(u)
            && (punctIn(next, kPrefix) || (punctIn(next, kBinary) && !punct(next, "|") && !punct(next, "=>"))))
            fail(next, "`array` must be followed by `(` or a variable");
        if (punct(i, ",") && punct(before(u), "(") && !isName(beforeOpening(before(u)), "list"))
            fail(i, "`,` with nothing before it");
    }

    // "=>" only stands in an array, a foreach, a match, after yield or
    // in an arrow function.
    void doubleArrow(std::size_t u) const
    {
        const std::size_t i = unit(u);
        if (!punct(i, "=>"))
            return;
        const std::size_t around = enclosing(u);
        if (punct(around, "[") || punct(around, "{")
            || (punct(around, "(") && (isName(beforeOpening(around), "array") || isName(beforeOpening(around), "list")
                                       || isName(beforeOpening(around), "foreach"))))
            return;
        for (std::size_t k = u; k-- > 0;) {
            const std::size_t j = m_units[k];
            if (j == around || punct(j, ";") || punct(j, ",") || isTag(j))
                break;
            if (isName(j, "fn") || isName(j, "yield"))
                return;
            if (isClosing(j) && link(j) != kNone && unitOf(link(j)) != kNone)
                k = unitOf(link(j));
        }
        fail(i, "`=>` outside an array, a foreach, a match or an arrow function");
    }

    // A statement in braces that ends without ";" ({ $a }).
    void closingBrace(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t previous = before(u);
        if (!punct(i, "}") || previous == kNone || !valueEnd(previous))
            return;
        const std::size_t opener = beforeOpening(i);
        if (punctIn(opener, kMemberAccess) || punct(opener, "$")
            || (punct(opener, ")") && isName(beforeOpening(opener), "match")))
            return;  // $a->{...}, ${...}, a match's arms
        fail(i, "`}` ends a statement that has no `;`");
    }

    bool keyword(std::size_t i) const { return nameIn(i, kKeywords); }
    bool isNameToken(std::size_t i) const { return i != kNone && m_t[i].kind == TokenKind::Name; }
    bool isVariable(std::size_t i) const { return i != kNone && m_t[i].kind == TokenKind::Variable; }

    // Whether a word of the set comes earlier in the statement of unit u,
    // at its own bracket depth.
    template <std::size_t N>
    bool statementHas(std::size_t u, const std::string_view (&set)[N]) const
    {
        const std::size_t around = enclosing(u);
        for (std::size_t k = u; k-- > 0;) {
            const std::size_t j = m_units[k];
            if (j == around || punct(j, ";") || punct(j, "{") || punct(j, "}") || isTag(j))
                return false;
            if (nameIn(j, set))
                return true;
            if (isClosing(j) && link(j) != kNone && unitOf(link(j)) != kNone)
                k = unitOf(link(j));
        }
        return false;
    }

    // The "(" of a function's parameters or of a catch.
    bool parameterList(std::size_t opening) const
    {
        if (!punct(opening, "("))
            return false;
        std::size_t b = beforeOpening(opening);
        if (isName(b, "function") || isName(b, "fn") || isName(b, "catch"))
            return true;
        if (isNameToken(b))
            b = before(unitOf(b));
        else if (!punct(b, "&"))
            return false;
        if (punct(b, "&"))
            b = before(unitOf(b));
        return isName(b, "function") || isName(b, "fn");
    }

    // Where a type may stand before a variable: a parameter, a catch, a
    // property.
    bool typePosition(std::size_t u) const
    {
        const std::size_t previous = before(u);
        if (punct(previous, "?") || punct(previous, "|") || punct(previous, "&") || keyword(previous)
            || (punct(previous, "]") && punct(link(previous), "#[")))
            return true;
        return (punct(previous, "(") || punct(previous, ",")) && parameterList(enclosing(u));
    }

    // ":" after what no case, label, condition, "?" or return type ends
    // with; "?" after what cannot end a value or a type's start.
    void colonOrQuestionMark(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const bool colon = punct(i, ":");
        if (!colon && !punct(i, "?"))
            return;
        const std::size_t previous = before(u);
        if (previous == kNone || isTag(previous) || punct(previous, ";") || (colon && punct(previous, ":"))
            || punctIn(previous, kBinary) || punctIn(previous, kPrefix) || punct(previous, "[")
            || punct(previous, "{") || (colon && (punct(previous, ",") || punct(previous, "(")))
            || (!colon && punct(previous, "?")) || (colon && isName(previous, "case") && !memberName(u - 1)))
            fail(i, quoted(i) + " cannot stand here");
    }

    // "as" in a foreach's brackets, a use statement or a trait's use block.
    void asKeyword(std::size_t u) const
    {
        static constexpr std::string_view kUse[] = {"use"};
        const std::size_t i = unit(u);
        if (!isName(i, "as") || memberName(u))
            return;
        const std::size_t previous = before(u);
        if (previous == kNone || isTag(previous) || isName(previous, "as")
            || (m_t[previous].kind == TokenKind::Punct && !isClosing(previous)))
            fail(i, "`as` has nothing before it");
        const std::size_t around = enclosing(u);
        if (punct(around, "(") ? isName(beforeOpening(around), "foreach")
                               : statementHas(u, kUse) || (punct(around, "{") && statementHas(unitOf(around), kUse)))
            return;
        fail(i, "`as` outside a foreach or a use statement");
    }

    // A name (a constant, a function's name or a type) right before a
    // literal, another name or a variable, where no keyword makes that a
    // statement, a declaration or a type.
    void afterName(std::size_t u) const
    {
        const std::size_t previous = before(u);
        const std::size_t i = unit(u);
        if (!isNameToken(previous))
            return;
        const bool afterKeyword = keyword(previous) && !memberName(u - 1);
        const char* const why = "a value right after a name (is an operator, \",\" or \";\" missing?)";
        if (literalValue(m_t[i].kind) && !isVariable(i)) {
            if (!afterKeyword || !nameIn(previous, kBeforeLiteral))
                fail(i, why);
        } else if (isNameToken(i) && !nameIn(i, kAfterValue)) {
            if (!afterKeyword)
                fail(i, why);
        } else if (isVariable(i) && !afterKeyword && !typePosition(u - 1)) {
            fail(i, why);
        }
    }

    // function NAME (…), function (…) in an expression, and what follows
    // the parameters: a use, a return type, then the body.
    void functionKeyword(std::size_t u) const
    {
        const std::size_t i = unit(u);
        if (!isName(i, "function") || memberName(u) || isName(before(u), "use"))
            return;
        std::size_t v = u + 1;
        if (punct(unit(v), "&"))
            ++v;
        const std::size_t name = unit(v);
        const bool named = isNameToken(name);
        if (named && inExpression(u))
            fail(name, "a function inside an expression has no name: `(` must follow `function`");
        if (!named && nameIn(before(u), kModifiers))
            fail(name, "a method must have a name");
        const std::size_t opening = unit(named ? v + 1 : v);
        if (!punct(opening, "(") || link(opening) == kNone)
            fail(opening, named ? "a function's name must be followed by `(`" : "`function` must be followed by a name or `(`");
        parameters(opening);
        bodyAfter(link(opening));
    }

    bool inExpression(std::size_t u) const
    {
        static constexpr std::string_view kTakingValues[] = {"return", "echo", "print", "yield", "throw"};
        std::size_t previous = before(u);
        if (isName(previous, "static"))
            previous = before(unitOf(previous));
        return punct(previous, "(") || punct(previous, "[") || punct(previous, ",") || punct(previous, "?")
               || punctIn(previous, kBinary) || punctIn(previous, kPrefix) || nameIn(previous, kTakingValues);
    }

    // Each parameter starts with its type, its attribute or its variable.
    void parameters(std::size_t opening) const
    {
        const std::size_t end = unitOf(link(opening));
        for (std::size_t u = unitOf(opening); u < end; ++u) {
            const std::size_t i = unit(u);
            if (i != opening && !(punct(i, ",") && enclosing(u) == opening))
                continue;
            const std::size_t next = unit(u + 1);
            if (!isNameToken(next) && !isVariable(next) && !punct(next, "?") && !punct(next, "&") && !punct(next, "...")
                && !punct(next, "#[") && !punct(next, "(") && !punct(next, ")"))
                fail(next, "a parameter must be a variable (with its type before it)");
        }
    }

    void bodyAfter(std::size_t closing) const
    {
        std::size_t u = unitOf(closing) + 1;
        if (isName(unit(u), "use") && punct(unit(u + 1), "(") && link(unit(u + 1)) != kNone)
            u = unitOf(link(unit(u + 1))) + 1;
        if (punct(unit(u), ":")) {
            ++u;
            while (isNameToken(unit(u)) || punct(unit(u), "?") || punct(unit(u), "|") || punct(unit(u), "&")
                   || punct(unit(u), "(") || punct(unit(u), ")"))
                ++u;
        }
        const std::size_t next = unit(u);
        if (!punct(next, "{") && !punct(next, ";"))
            fail(next, "a function's parameters and return type must be followed by its body `{`");
    }

    // "{" after a bracket that no if, while, function, catch, match, use or
    // class opened.
    void braceAfterBracket(std::size_t u) const
    {
        const std::size_t previous = before(u);
        if (!punct(unit(u), "{") || !punct(previous, ")"))
            return;
        const std::size_t b = beforeOpening(previous);
        if (nameIn(b, kControl) || isName(b, "match") || isName(b, "use") || isName(b, "class")
            || parameterList(link(previous)) || punct(b, ":") || punct(b, "|"))
            return;
        fail(unit(u), "`{` after a bracket that no `if`, `while`, `function` or the like opened");
    }

    // An element left out: "(,", ",," in a call, or in an array that
    // values are not assigned to.
    void emptyElement(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t previous = before(u);
        if (!punct(i, ",") || !(punct(previous, ",") || punct(previous, "[")))
            return;
        const std::size_t around = enclosing(u);
        if (punct(around, "(") && !isName(beforeOpening(around), "list"))
            fail(i, isName(beforeOpening(around), "array") ? "an empty element in an array" : "`,` with nothing before it");
        if (punct(around, "[") && !assignedTo(around))
            fail(i, "an empty element in an array");
    }

    // Whether the array that opens here, or the one it is in, is a list
    // that values are assigned to ([, $a] = …, foreach (… as [, $a])).
    bool assignedTo(std::size_t opening) const
    {
        std::size_t top = opening;
        while (punct(enclosing(unitOf(top)), "["))
            top = enclosing(unitOf(top));
        const std::size_t around = enclosing(unitOf(top));
        const std::size_t previous = beforeOpening(top);
        if (link(top) == kNone || (punct(around, "(") && isName(beforeOpening(around), "list")))
            return true;
        return punct(unit(unitOf(link(top)) + 1), "=") || isName(previous, "as")
               || (punct(previous, "=>") && punct(around, "(") && isName(beforeOpening(around), "foreach"));
    }

    // "[]" read as a value, and "()" that neither calls nor declares.
    void emptyBrackets(std::size_t u) const
    {
        const std::size_t i = unit(u);
        const std::size_t previous = before(u);
        if (punct(i, "[") && punct(unit(u + 1), "]") && previous != kNone && valueEnd(previous)) {
            const std::size_t after = unit(u + 2);
            if (after == kNone || isTag(after) || punct(after, ";") || punct(after, ".")
                || (punctIn(after, kBinary) && !punctIn(after, kAssignments) && !punct(after, "=>")
                    && !punct(after, "->")))
                fail(i, "`[]` only adds to an array: it cannot be read");
        }
        if (punct(i, "(") && punct(unit(u + 1), ")")
            && (previous == kNone || isTag(previous)
                || (m_t[previous].kind == TokenKind::Punct && !isClosing(previous) && !punct(previous, "&"))))
            fail(unit(u + 1), "`()` holds no value");
    }

    // "=" after a name: only a constant's declaration, an enum's case or
    // declare() assign to a name.
    void assignmentToName(std::size_t u) const
    {
        static constexpr std::string_view kConst[] = {"const"};
        const std::size_t i = unit(u);
        if (!punctIn(i, kAssignments) || !isNameToken(before(u)))
            return;
        const std::size_t previous = before(u - 1);
        const std::size_t around = enclosing(u);
        if (punctIn(previous, kMemberAccess) || isName(previous, "const") || isName(previous, "case")
            || isNameToken(previous) || (punct(around, "(") && isName(beforeOpening(around), "declare"))
            || (punct(previous, ",") && statementHas(u, kConst)))
            return;
        fail(i, quoted(i) + " after a name, which is not a variable");
    }

    const std::vector<Token>& m_t;
    std::string_view m_s;
    std::vector<Index> m_units;      // the tokens of the code; a string is its opening
    std::vector<Index> m_enclosing;  // by unit: the innermost opening bracket around it, or kNoIndex
    std::vector<Index> m_unitOf;     // by token: its unit, or kNoIndex
};

}  // namespace

void refuseMisplacedTokens(const Lexed& lexed, std::string_view script)
{
    Checker(lexed, script).run();
}

}  // namespace tagora::php
