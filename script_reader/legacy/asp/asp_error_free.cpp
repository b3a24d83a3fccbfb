#include "asp_error_free.h"

#include <algorithm>

namespace tagora {

namespace {

using vbscript::Token;
using vbscript::TokenKind;
using Item = AspErrorFreeValues::Item;
using Statement = AspErrorFreeValues::Statement;

// VBScript's own functions that return a string, a number, a date or a
// Boolean (or fail), and never assign their arguments.
const std::set<std::string_view, std::less<>> kPlainFunctions{
    "abs", "asc", "ascb", "ascw", "atn", "cbool", "cbyte", "ccur", "cdate", "cdbl", "chr", "chrb", "chrw",
    "cint", "clng", "cos", "csng", "cstr", "date", "dateadd", "datediff", "datepart", "dateserial", "datevalue",
    "day", "escape", "exp", "fix", "formatcurrency", "formatdatetime", "formatnumber", "formatpercent", "hex",
    "hour", "instr", "instrb", "instrrev", "int", "isarray", "isdate", "isempty", "isnull", "isnumeric",
    "isobject", "join", "lbound", "lcase", "left", "leftb", "len", "lenb", "log", "ltrim", "mid", "midb",
    "minute", "month", "monthname", "now", "oct", "replace", "right", "rightb", "rnd", "round", "rtrim",
    "second", "sgn", "sin", "space", "sqr", "strcomp", "string", "strreverse", "tan", "time", "timer",
    "timeserial", "timevalue", "trim", "typename", "ubound", "ucase", "unescape", "vartype", "weekday",
    "weekdayname", "year",
};

// Functions that never assign their arguments but return arrays.
const std::set<std::string_view, std::less<>> kArrayFunctions{"array", "split", "filter"};

// Names read without parentheses that cannot fail.
const std::set<std::string_view, std::less<>> kPlainWords{
    "true", "false", "empty", "now", "date", "time", "timer", "vbcr", "vbcrlf", "vbformfeed", "vblf",
    "vbnewline", "vbnullchar", "vbnullstring", "vbtab", "vbverticaltab", "vbtextcompare", "vbbinarycompare",
};

// Words that start or continue a statement without calling anything.
const std::set<std::string_view, std::less<>> kNotCallees{
    "and", "byref", "byval", "call", "case", "class", "const", "dim", "do", "each", "else", "elseif", "end",
    "eqv", "erase", "error", "exit", "explicit", "for", "function", "get", "goto", "if", "imp", "in", "is",
    "let", "loop", "mod", "new", "next", "not", "on", "option", "or", "preserve", "private", "property",
    "public", "randomize", "redim", "rem", "resume", "select", "set", "step", "stop", "sub", "then", "to",
    "until", "wend", "while", "with", "xor",
};

// VBScript's other functions, and Me: none of them a plain value.
const std::set<std::string_view, std::less<>> kOtherBuiltIns{
    "createobject", "eval", "execute", "executeglobal", "getlocale", "getobject", "getref", "inputbox",
    "loadpicture", "me", "msgbox", "rgb", "scriptengine", "scriptenginebuildversion", "scriptenginemajorversion",
    "scriptengineminorversion", "setlocale",
};

const std::set<std::string_view, std::less<>> kOperatorWords{"and", "or", "not", "xor", "eqv", "imp", "mod", "is"};

// ASP's objects and Err: never plain values themselves.
const std::set<std::string_view, std::less<>> kObjects{"application", "err", "objectcontext", "request",
                                                         "response", "server", "session"};

std::string lowered(std::string_view word)
{
    std::string result(word);
    for (char& c : result)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return result;
}

bool isWord(const Statement& code, std::size_t i, std::string_view lowerWord = {})
{
    return i < code.size() && code[i].kind == TokenKind::Word && (lowerWord.empty() || code[i].text == lowerWord);
}

bool isOperator(const Statement& code, std::size_t i, std::string_view op)
{
    return i < code.size() && code[i].kind == TokenKind::Operator && code[i].text == op;
}

bool isProcedureKeyword(const Statement& code, std::size_t i)
{
    return isWord(code, i, "sub") || isWord(code, i, "function") || isWord(code, i, "property");
}

// The ")" that closes the "(" at open, or code.size().
std::size_t closing(const Statement& code, std::size_t open, std::size_t last)
{
    int depth = 0;
    for (std::size_t i = open; i < last; ++i) {
        depth += isOperator(code, i, "(") ? 1 : isOperator(code, i, ")") ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return code.size();
}

// What a call at the "(" at `open` calls: "object.name" for a member of
// a name, ".name" for another member, or empty for parentheses that only
// group.
std::string calleeBefore(const Statement& code, std::size_t open)
{
    if (open == 0 || !isWord(code, open - 1) || kNotCallees.count(code[open - 1].text))
        return {};
    const std::string& name = code[open - 1].text;
    if (open < 2 || !isOperator(code, open - 2, "."))
        return name;
    const bool ofName = isWord(code, open - 3) && !isOperator(code, open - 4, ".");
    return (ofName ? code[open - 3].text : std::string()) + "." + name;
}

// ADO's connections, recordsets and commands: their methods assign
// nothing but numbers to their arguments (RecordsAffected).
bool isAdoObject(std::string_view progId)
{
    return progId == "adodb.connection" || progId == "adodb.recordset" || progId == "adodb.command";
}

// The last of the words joined by "." that start the statement, and
// where it is: what a statement without parentheses calls.
std::pair<std::string, std::size_t> statementCallee(const Statement& code)
{
    std::size_t i = isWord(code, 0, "call") ? 1 : 0;
    if (!isWord(code, i) && !isOperator(code, i, "."))
        return {{}, code.size()};
    if (isWord(code, i) && kNotCallees.count(code[i].text))
        return {{}, i};
    const std::size_t start = i;
    while (isOperator(code, i, ".") || (isWord(code, i) && isOperator(code, i + 1, ".")))
        ++i;
    if (!isWord(code, i))
        return {{}, code.size()};
    return {i == start ? code[i].text : calleeBefore(code, i + 1), i};
}

// What the name at i is passed to when it is a whole argument, else
// nothing.
std::optional<std::string> argumentOf(const Statement& code, std::size_t i)
{
    const bool endsArgument = i + 1 == code.size() || isOperator(code, i + 1, ")") || isOperator(code, i + 1, ",");
    if (i == 0 || !endsArgument)
        return std::nullopt;
    if (isOperator(code, i - 1, "("))
        return calleeBefore(code, i - 1);
    if (isOperator(code, i - 1, ",")) {
        int depth = 0;
        for (std::size_t k = i - 1; k-- > 0;) {
            depth += isOperator(code, k, ")") ? 1 : isOperator(code, k, "(") ? -1 : 0;
            if (depth < 0)
                return calleeBefore(code, k);
        }
        return statementCallee(code).first;
    }
    const auto [callee, at] = statementCallee(code);
    if (isWord(code, i - 1) && at == i - 1)
        return callee;
    return std::nullopt;
}

// Whether the parentheses at `open` hold a comparison or a Not: Eval of
// True or False runs no code.
bool evaluatesBoolean(const Statement& code, std::size_t open)
{
    if (!isOperator(code, open, "("))
        return false;
    const std::size_t close = closing(code, open, code.size());
    if (isWord(code, open + 1, "not"))
        return true;
    int depth = 0;
    for (std::size_t i = open + 1; i < close; ++i) {
        depth += isOperator(code, i, "(") ? 1 : isOperator(code, i, ")") ? -1 : 0;
        const bool comparison = code[i].kind == TokenKind::Operator
                                && (code[i].text == "=" || code[i].text == "<>" || code[i].text == "<"
                                    || code[i].text == ">" || code[i].text == "<=" || code[i].text == ">=");
        if (depth == 0 && (comparison || isWord(code, i, "is")))
            return true;
    }
    return false;
}

// Where the statements of a block start and end: at line ends, colons
// and comments, and after the Then and at the Else of a one-line If.
std::vector<Statement> statementsOf(std::string_view text, const std::vector<Token>& tokens)
{
    std::vector<Statement> statements(1);
    for (const Token& token : tokens) {
        const std::string_view spelled = text.substr(token.begin, token.end - token.begin);
        const bool separator = token.kind == TokenKind::Colon || token.kind == TokenKind::Newline
                               || token.kind == TokenKind::Comment;
        const std::string word = token.kind == TokenKind::Word ? lowered(spelled) : std::string();
        if (separator || word == "else") {
            if (!statements.back().empty())
                statements.emplace_back();
            continue;
        }
        statements.back().push_back({token.kind, token.kind == TokenKind::Word ? word : std::string(spelled)});
        if (word == "then")
            statements.emplace_back();
    }
    return statements;
}

}  // namespace

void AspErrorFreeValues::survey(std::string_view text, const std::vector<Token>& tokens)
{
    m_allUnsafe.reset();
    for (const Statement& code : statementsOf(text, tokens)) {
        if (!code.empty())
            statement(code);
    }
}

void AspErrorFreeValues::statement(const Statement& code)
{
    occurrences(code);
    std::size_t k = 0;
    while (isWord(code, k, "public") || isWord(code, k, "private") || isWord(code, k, "default"))
        ++k;
    const std::string& first = code[0].text;
    if (isProcedureKeyword(code, k)) {
        header(code, k);
    } else if (isWord(code, k, "const") || isWord(code, k, "dim") || isWord(code, k, "redim")) {
        declarations(code, k + 1);
    } else if (k > 0) {
        declarations(code, k);  // Public x, Private y
    } else if (first == "end" && isProcedureKeyword(code, 1)) {
        m_inProcedure = false;
        m_procedure.clear();
    } else if (first == "class") {
        ++m_classDepth;
    } else if (first == "end" && isWord(code, 1, "class")) {
        m_classDepth = std::max(0, m_classDepth - 1);
    } else if (first == "option" && isWord(code, 1, "explicit")) {
        m_explicit = true;
    } else if (first == "for" && isWord(code, 1) && isOperator(code, 2, "=")) {
        m_known.insert(code[1].text);  // a number
        touch(code[1].text);
    } else if (first == "erase" || first == "with" || (first == "for" && isWord(code, 1, "each"))) {
        for (std::size_t i = 1; i < code.size() && !isOperator(code, i, "."); ++i) {
            if (isWord(code, i) && code[i].text != "each") {
                m_unsafe.insert(code[i].text);
                m_notAdo.insert(code[i].text);
                touch(code[i].text);
            }
        }
    } else {
        assignment(code);
    }
}

// The names declared by Dim, Const, ReDim, Public or Private, from
// `from` (an array's name is followed by "(", which makes it unsafe).
void AspErrorFreeValues::declarations(const Statement& code, std::size_t from)
{
    int depth = 0;
    bool nameNext = true;
    const bool redim = from > 0 && isWord(code, from - 1, "redim");
    for (std::size_t i = from; i < code.size(); ++i) {
        depth += isOperator(code, i, "(") ? 1 : isOperator(code, i, ")") ? -1 : 0;
        if (depth == 0 && isOperator(code, i, ","))
            nameNext = true;
        if (!nameNext || !isWord(code, i) || code[i].text == "preserve")
            continue;
        declare(code[i].text);
        if (redim)
            touch(code[i].text);
        nameNext = false;
    }
}

// Inside a procedure, a name it may assign: one of its parameters makes
// the procedure assign what its caller passed.
void AspErrorFreeValues::touch(const std::string& name)
{
    if (m_inProcedure)
        m_touched[m_procedure].insert(name);
}

bool AspErrorFreeValues::assignsNoParameter(const std::string& procedure) const
{
    const auto parameters = m_parameters.find(procedure);
    if (parameters == m_parameters.end() || m_definedTwice.count(procedure))
        return false;
    const auto touched = m_touched.find(procedure);
    return touched == m_touched.end()
           || std::none_of(parameters->second.begin(), parameters->second.end(),
                           [&](const std::string& name) { return touched->second.count(name) > 0; });
}

void AspErrorFreeValues::declare(const std::string& name)
{
    m_known.insert(name);
    if (m_inProcedure)
        m_locals[m_procedure].insert(name);
    else if (m_classDepth == 0)
        m_globals.insert(name);
}

// Sub, Function or Property: its parameters may hold anything.
void AspErrorFreeValues::header(const Statement& code, std::size_t keyword)
{
    const std::size_t nameAt = keyword + (isWord(code, keyword, "property") ? 2 : 1);
    if (!isWord(code, nameAt))
        return;
    m_procedure = code[nameAt].text;
    m_inProcedure = true;
    if (m_locals.count(m_procedure))
        m_definedTwice.insert(m_procedure);
    m_locals[m_procedure];
    for (std::size_t i = nameAt + 1; i < code.size(); ++i) {
        if (isWord(code, i) && code[i].text != "byval" && code[i].text != "byref") {
            m_unsafe.insert(code[i].text);
            m_notAdo.insert(code[i].text);
            m_parameters[m_procedure].push_back(code[i].text);
        }
    }
}

// x = value, or a.b.x = value (a member that may be a class's field x).
// Set x = … makes x an object.
void AspErrorFreeValues::assignment(const Statement& code)
{
    const bool set = isWord(code, 0, "set");
    std::size_t i = set || isWord(code, 0, "let") ? 1 : 0;
    while (isOperator(code, i, ".") || (isWord(code, i) && isOperator(code, i + 1, ".")))
        ++i;
    if (!isWord(code, i) || !isOperator(code, i + 1, "="))
        return;
    const std::string& target = code[i].text;
    m_known.insert(target);
    touch(target);
    if (set || !plainValue(code, i + 2, code.size(), target))
        m_unsafe.insert(target);
    const bool nothing = isWord(code, 3, "nothing") && code.size() == 4;  // calls nothing after it
    if (!set || i != 1 || !(nothing || createsAdoObject(code, 3)))
        m_notAdo.insert(target);
}

// CreateObject("ADODB.…") or Server.CreateObject("ADODB.…") from `first`
// to the statement's end.
bool AspErrorFreeValues::createsAdoObject(const Statement& code, std::size_t first)
{
    if (isWord(code, first, "server") && isOperator(code, first + 1, "."))
        first += 2;
    return isWord(code, first, "createobject") && isOperator(code, first + 1, "(") && first + 4 == code.size()
           && code[first + 2].kind == TokenKind::String && isOperator(code, first + 3, ")")
           && isAdoObject(lowered(vbscript::stringValue(code[first + 2].text)));
}

// Names used as an array, an object or a procedure (followed by "(" or
// "."), passed whole as an argument, or naming code run unseen.
void AspErrorFreeValues::occurrences(const Statement& code)
{
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (!isWord(code, i))
            continue;
        const std::string& name = code[i].text;
        const bool member = i > 0 && isOperator(code, i - 1, ".");
        if (!member && (name == "execute" || name == "executeglobal" || (name == "eval" && !evaluatesBoolean(code, i + 1))))
            m_dynamic = true;
        if (isOperator(code, i + 1, "(") || isOperator(code, i + 1, "."))
            m_unsafe.insert(name);
        if (const std::optional<std::string> callee = argumentOf(code, i); callee && !callee->empty()) {
            m_arguments.emplace_back(name, *callee);
            m_notAdo.insert(name);
            touch(name);  // the callee may assign it
        }
    }
}

// Whether code[first, last) gives a plain value whatever happens: any
// operator's result, a literal, a plain function's result, a form field;
// a lone name gives what it holds, so `target` holds it too.
bool AspErrorFreeValues::plainValue(const Statement& code, std::size_t first, std::size_t last,
                                    const std::string& target)
{
    while (first < last && isOperator(code, first, "(") && closing(code, first, last) == last - 1) {
        ++first;
        --last;
    }
    if (first >= last)
        return false;
    int depth = 0;
    for (std::size_t i = first; i < last; ++i) {
        depth += isOperator(code, i, "(") ? 1 : isOperator(code, i, ")") ? -1 : 0;
        const bool op = code[i].kind == TokenKind::Operator && code[i].text != "(" && code[i].text != ")"
                        && code[i].text != "." && code[i].text != ",";
        if (depth == 0 && (op || (isWord(code, i) && kOperatorWords.count(code[i].text))))
            return true;
    }
    const TokenKind kind = code[first].kind;
    if (last - first == 1 && (kind == TokenKind::String || kind == TokenKind::Number || kind == TokenKind::Date))
        return true;
    if (!isWord(code, first))
        return false;
    const std::string& name = code[first].text;
    if (last - first == 1) {
        if (kPlainWords.count(name))
            return true;
        if (kPlainFunctions.count(name) || kObjects.count(name) || kArrayFunctions.count(name) || name == "null"
            || name == "nothing")
            return false;
        m_copies.emplace(target, name);
        return true;
    }
    if (isOperator(code, first + 1, "(") && closing(code, first + 1, last) == last - 1)
        return kPlainFunctions.count(name) || name == "request";
    const bool field = isOperator(code, first + 1, ".") && isWord(code, first + 2)
                       && (first + 3 == last || (isOperator(code, first + 3, "(") && closing(code, first + 3, last) == last - 1));
    if (!field)
        return false;
    const std::string& member = code[first + 2].text;
    return (name == "request" && (member == "form" || member == "querystring" || member == "servervariables"))
           || (name == "server" && (member == "htmlencode" || member == "urlencode" || member == "mappath"))
           || (name == "err" && first + 3 == last && (member == "number" || member == "description" || member == "source"));
}

// The names that may hold anything: those found so, those passed whole to
// a procedure of the page or a member, and those that copy one of them.
const std::set<std::string>& AspErrorFreeValues::unsafe(const std::set<std::string>& procedures) const
{
    if (m_allUnsafe)
        return *m_allUnsafe;
    m_allUnsafe.emplace(m_unsafe);
    for (const auto& [name, callee] : m_arguments) {
        const bool builtIn = (kPlainFunctions.count(callee) || kArrayFunctions.count(callee)) && !procedures.count(callee);
        const std::string object = callee.substr(0, callee.find('.'));
        const bool ado = object.size() < callee.size() && m_known.count(object) && !m_notAdo.count(object) && !m_dynamic;
        const bool harmless = procedures.count(callee) && assignsNoParameter(callee);
        if (!builtIn && !ado && !harmless && callee != "response.write")
            m_allUnsafe->insert(name);
    }
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto& [target, source] : m_copies) {
            const bool unknown = m_allUnsafe->count(source) || procedures.count(source) || !m_known.count(source);
            if (!m_allUnsafe->count(target) && unknown)
                grown = m_allUnsafe->insert(target).second;
        }
    }
    return *m_allUnsafe;
}

bool AspErrorFreeValues::isPlainName(const std::string& name, const std::string& procedure,
                                     const std::set<std::string>& procedures) const
{
    if (kPlainWords.count(name))
        return !procedures.count(name);
    if (m_dynamic || procedures.count(name) || kObjects.count(name) || kPlainFunctions.count(name)
        || kArrayFunctions.count(name) || kNotCallees.count(name) || kOtherBuiltIns.count(name) || name == "null"
        || name == "nothing" || unsafe(procedures).count(name))
        return false;
    if (!m_known.count(name))  // never declared nor assigned: Empty, where Option Explicit does not forbid it
        return !m_explicit && !name.starts_with("vb");
    if (!m_explicit)
        return true;
    if (m_globals.count(name))
        return true;
    const auto locals = m_locals.find(procedure);
    return !procedure.empty() && !m_definedTwice.count(procedure) && locals != m_locals.end()
           && locals->second.count(name);
}

bool AspErrorFreeValues::cannotFail(std::string_view text, const std::vector<Token>& tokens, std::size_t first,
                                    std::size_t last, const std::string& procedure,
                                    const std::set<std::string>& procedures) const
{
    Statement code;
    for (std::size_t i = first; i < last; ++i) {
        const std::string_view spelled = text.substr(tokens[i].begin, tokens[i].end - tokens[i].begin);
        code.push_back({tokens[i].kind, tokens[i].kind == TokenKind::Word ? lowered(spelled) : std::string(spelled)});
    }
    std::size_t begin = 0;
    std::size_t end = code.size();
    while (begin < end && isOperator(code, begin, "(") && closing(code, begin, end) == end - 1) {
        ++begin;
        --end;
    }
    if (end - begin == 1) {
        const TokenKind kind = code[begin].kind;
        return kind == TokenKind::String || kind == TokenKind::Number
               || (kind == TokenKind::Word && isPlainName(code[begin].text, procedure, procedures));
    }
    const bool errField = end - begin == 3 && isWord(code, begin, "err") && isOperator(code, begin + 1, ".")
                          && (isWord(code, begin + 2, "number") || isWord(code, begin + 2, "description")
                              || isWord(code, begin + 2, "source"));
    return errField && !procedures.count("err") && !m_globals.count("err");
}

}  // namespace tagora
