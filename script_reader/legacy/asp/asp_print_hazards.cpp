#include "asp_print_hazards.h"

#include "asp_template_writer.h"

namespace tagora {

namespace {

using vbscript::Token;
using vbscript::TokenKind;

// VBScript's own functions, operators, constants and the ASP objects that
// cannot print while an expression is evaluated.
const std::set<std::string_view, std::less<>> kQuietNames{
    "abs", "and", "application", "array", "asc", "ascb", "ascw", "atn", "cbool", "cbyte", "ccur",
    "cdate", "cdbl", "chr", "chrb", "chrw", "cint", "clng", "cos", "createobject", "csng", "cstr",
    "date", "dateadd", "datediff", "datepart", "dateserial", "datevalue", "day", "empty", "eqv", "err",
    "escape", "exp", "false", "filter", "fix", "formatcurrency", "formatdatetime", "formatnumber",
    "formatpercent", "getlocale", "hex", "hour", "imp", "instr", "instrb", "instrrev", "int", "is",
    "isarray", "isdate", "isempty", "isnull", "isnumeric", "isobject", "join", "lbound", "lcase",
    "left", "leftb", "len", "lenb", "log", "ltrim", "me", "mid", "midb", "minute", "mod", "month",
    "monthname", "not", "nothing", "now", "null", "oct", "or", "replace", "request", "rgb", "right",
    "rightb", "rnd", "round", "rtrim", "second", "server", "session", "sgn", "sin", "space", "split",
    "sqr", "strcomp", "string", "strreverse", "tan", "time", "timer", "timeserial", "timevalue",
    "trim", "true", "typename", "ubound", "ucase", "unescape", "vartype", "weekday", "weekdayname",
    "xor", "year",
};

// The statements' words, which name nothing.
const std::set<std::string_view, std::less<>> kKeywords{
    "byref", "byval", "call", "case", "class", "const", "default", "dim", "do", "each", "else", "elseif",
    "empty", "end", "erase", "error", "exit", "explicit", "for", "function", "get", "goto", "if", "in", "let",
    "loop", "new", "next", "on", "option", "preserve", "private", "property", "public", "randomize", "redim",
    "rem", "resume", "select", "set", "step", "stop", "sub", "then", "to", "until", "wend", "while", "with",
};

// Names that print, or run code that may: wherever they appear.
const std::set<std::string_view, std::less<>> kPrintingNames{"eval", "execute", "executeglobal", "response"};

// Methods of the objects pages use (ADO, the Scripting runtime, MSXML...)
// that move or change what other members read.
const std::set<std::string_view, std::less<>> kChangingMethods{
    "abandon", "add", "addnew", "cancel", "clear", "close", "delete", "find", "lock", "move", "movefirst",
    "movelast", "movenext", "moveprevious", "nextrecordset", "open", "raise", "read", "readall", "readline",
    "remove", "removeall", "requery", "seek", "send", "skip", "skipline", "unlock", "update", "write",
    "writeblanklines", "writeline",
};

bool isSeparator(const Token& token)
{
    return token.kind == TokenKind::Colon || token.kind == TokenKind::Newline
           || token.kind == TokenKind::Comment;
}

std::string lowered(std::string_view word)
{
    std::string result(word);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

// Reads one code block's declarations.
class Survey {
public:
    Survey(std::string_view page, const std::vector<Token>& tokens) : m_page(page), m_tokens(tokens) {}

    std::string word(std::size_t i) const
    {
        if (i >= m_tokens.size() || m_tokens[i].kind != TokenKind::Word)
            return {};
        return lowered(m_page.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin));
    }

    std::string_view operatorAt(std::size_t i) const
    {
        if (i >= m_tokens.size() || m_tokens[i].kind != TokenKind::Operator)
            return {};
        return m_page.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin);
    }

    // The names in the parentheses after a procedure's name.
    void parameters(std::size_t open, std::set<std::string>& declared) const
    {
        if (operatorAt(open) != "(")
            return;
        for (std::size_t i = open + 1; i < m_tokens.size() && operatorAt(i) != ")" && !isSeparator(m_tokens[i]); ++i) {
            const std::string name = word(i);
            if (!name.empty() && name != "byval" && name != "byref")
                declared.insert(name);
        }
    }

    // The names in the parentheses after a procedure's name that are
    // passed ByVal: assigning them changes nothing of the caller's.
    void byValParameters(std::size_t open, std::set<std::string>& locals) const
    {
        if (operatorAt(open) != "(")
            return;
        bool byVal = false;
        for (std::size_t i = open + 1; i < m_tokens.size() && operatorAt(i) != ")" && !isSeparator(m_tokens[i]); ++i) {
            const std::string name = word(i);
            if (name == "byval")
                byVal = true;
            else if (name == "byref" || operatorAt(i) == ",")
                byVal = false;
            else if (!name.empty() && byVal)
                locals.insert(name);
        }
    }

private:
    std::string_view m_page;
    const std::vector<Token>& m_tokens;
};

// The first case-insensitive occurrence of a lower-case word at or after
// `from`, or npos.
std::size_t findLowered(std::string_view text, std::string_view lowerWord, std::size_t from)
{
    for (std::size_t i = from; i + lowerWord.size() <= text.size(); ++i) {
        if (vbscript::sameWord(text.substr(i, lowerWord.size()), lowerWord))
            return i;
    }
    return std::string_view::npos;
}

bool isWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// Words of a server script block that make or reach names the text does
// not spell: JScript's eval, this and Function, VBScript's Execute and
// GetRef.
const std::set<std::string_view, std::less<>> kUnseenNames{"eval", "execscript", "execute", "executeglobal", "getref",
                                                           "this"};
// Words after which a script block's word is declared: JScript's and
// VBScript's declarations, a list's next name, ++ and --.
const std::set<std::string_view, std::less<>> kDeclaring{"var", "function", "dim", "sub", "const", "class", "get", "let",
                                                         "set", "redim", "private", "public", "for", "each"};

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    return i;
}

// Whether the word at [begin, end) of a script block may be a name the
// block declares or assigns: after a declaring word, "," or "++"/"--";
// before "=" (not "=="), a compound assignment, "++"/"--" or "in".
bool maybeDefined(std::string_view body, std::size_t begin, std::size_t end, std::string_view previousWord)
{
    std::size_t before = begin;
    while (before > 0 && (body[before - 1] == ' ' || body[before - 1] == '\t' || body[before - 1] == '\r'
                          || body[before - 1] == '\n'))
        --before;
    if (kDeclaring.count(previousWord) || (before > 0 && body[before - 1] == ',')
        || (before > 1 && (body.substr(before - 2, 2) == "++" || body.substr(before - 2, 2) == "--")))
        return true;
    const std::size_t after = skipBlanks(body, end);
    const std::string_view rest = body.substr(after, 4);
    if (rest.starts_with("++") || rest.starts_with("--") || (rest.starts_with("=") && !rest.starts_with("==")))
        return true;
    for (std::string_view op : {"+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=", ">>>="}) {
        if (rest.starts_with(op))
            return true;
    }
    return lowered(rest.substr(0, 2)) == "in" && (rest.size() < 3 || !isWordChar(rest[2]));
}

// How a procedure's body names a word: ".name" for a member, and
// Server.Execute or Server.Transfer, which print another page, as
// Response.
std::string mention(const Survey& code, std::size_t i, const std::string& word)
{
    if (i == 0 || code.operatorAt(i - 1) != ".")
        return word;
    if (i >= 2 && code.word(i - 2) == "server" && (word == "execute" || word == "transfer"))
        return "response";
    return "." + word;
}

bool isProcedureKeyword(const std::string& word)
{
    return word == "sub" || word == "function" || word == "property";
}

bool declares(const std::string& word)
{
    return word == "dim" || word == "redim" || word == "const" || word == "public" || word == "private";
}

}  // namespace

// Notes the names each <script runat="server"> block of the text may
// define; false when a block cannot be read.
bool AspPrintHazards::surveyServerScripts(std::string_view html)
{
    ServerScriptFinder serverScripts(html);
    for (std::size_t i = html.find('<'); i != std::string_view::npos; i = html.find('<', i + 1)) {
        if (!serverScripts.startsAt(i))
            continue;
        const std::size_t tagEnd = html.find('>', i);
        const std::size_t close = tagEnd == std::string_view::npos ? tagEnd : findLowered(html, "</script", tagEnd);
        if (close == std::string_view::npos || findLowered(html.substr(i, tagEnd - i), "src", 0) != std::string_view::npos
            || !noteScriptBlockNames(html.substr(tagEnd + 1, close - tagEnd - 1)))
            return false;
        i = close;
    }
    return true;
}

bool AspPrintHazards::noteScriptBlockNames(std::string_view body)
{
    if (body.find("\\u") != std::string_view::npos)
        return false;
    std::string previousWord;
    for (std::size_t i = 0; i < body.size();) {
        if (!isWordChar(body[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < body.size() && isWordChar(body[end]))
            ++end;
        if (body[i] >= '0' && body[i] <= '9') {
            i = end;  // a number such as 1e5 or 0x1F
            continue;
        }
        const std::string_view word = body.substr(i, end - i);
        const std::string name = lowered(word);
        if (kUnseenNames.count(name) || word == "Function")
            return false;
        if (name == "codepage")
            m_codePage = true;
        if (maybeDefined(body, i, end, previousWord))
            m_scriptBlockNames.insert(name);
        previousWord = name;
        i = end;
    }
    return true;
}

bool AspPrintHazards::namesScriptBlock(const std::vector<Token>& tokens, std::size_t first, std::size_t last) const
{
    const Survey code(m_page, tokens);
    for (std::size_t i = first; i < last; ++i) {
        if (fromScriptBlock(code.word(i), i > first && code.operatorAt(i - 1) == "."))
            return true;
    }
    return false;
}

bool AspPrintHazards::surveyIncluded(std::string_view text)
{
    m_procedureDepth = 0;
    m_loopDepth = 0;
    m_surveyingInclude = true;
    std::size_t pos = 0;
    for (std::size_t open = text.find("<%"); open != std::string_view::npos; open = text.find("<%", pos)) {
        if (!surveyServerScripts(text.substr(pos, open - pos)))
            return false;
        if (open > pos || text.substr(open + 2, 1) == "=")
            notePrinting();
        const std::size_t close = text.find("%>", open + 2);
        if (close == std::string_view::npos)
            return false;
        pos = close + 2;
        if (vbscript::directiveMarker(text, open) < close)
            continue;
        const std::size_t begin = open + (text.substr(open + 2, 1) == "=" ? 3 : 2);
        vbscript::Tokens lexed = vbscript::tokenize(text, begin, close);
        if (lexed.error)
            return false;
        survey(text, lexed.tokens);
    }
    return surveyServerScripts(text.substr(pos));
}

void AspPrintHazards::survey(std::string_view text, const std::vector<Token>& tokens)
{
    m_values.survey(text, tokens);
    const Survey code(text, tokens);
    bool statementStart = true;
    bool declaring = false;  // in Dim, Const, ...: a name follows the keyword or a comma
    bool redimming = false;  // in ReDim: the names are assigned, not declared
    bool nameNext = false;
    int depth = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (isSeparator(tokens[i])) {
            statementStart = true;
            declaring = nameNext = false;
            depth = 0;
            continue;
        }
        const std::string word = code.word(i);
        const std::string_view op = code.operatorAt(i);
        depth += op == "(" ? 1 : op == ")" ? -1 : 0;
        if (declaring && depth == 0 && op == ",") {
            nameNext = true;
        } else if (nameNext && !word.empty() && word != "preserve" && word != "default") {
            m_declared.insert(word);
            if (m_procedureDepth > 0)
                (redimming ? m_assignedIn[m_currentProcedure] : m_localsOf[m_currentProcedure]).insert(word);
            nameNext = false;
        }
        if (word == "codepage" && i > 0 && code.operatorAt(i - 1) == ".")
            m_codePage = true;
        if (declares(word)) {
            declaring = nameNext = true;
            redimming = word == "redim";
        }
        // A procedure's header starts its statement, after Public or Private.
        const bool header = statementStart || declaring;
        const std::size_t nameAt = !header ? 0
                                   : (word == "sub" || word == "function" || word == "class") ? i + 1
                                   : word == "property"                                        ? i + 2
                                                                                               : 0;
        if (const std::string name = code.word(nameAt); nameAt && !name.empty()) {
            if (word == "class") {
                m_classes.insert(name);
            } else {
                ++m_procedureDepth;
                m_currentProcedure = name;
                m_inSetter = word == "property" && code.word(i + 1) != "get";
                code.byValParameters(nameAt + 1, m_localsOf[name]);
            }
            m_procedures.insert(name);
            code.parameters(nameAt + 1, m_declared);
            declaring = nameNext = false;
        }
        if (word == "for")
            m_declared.insert(code.word(code.word(i + 1) == "each" ? i + 2 : i + 1));
        if (statementStart && !word.empty() && code.operatorAt(i + 1) == "=")
            m_declared.insert(word);
        if (statementStart && word == "set" && code.operatorAt(i + 2) == "=")
            m_declared.insert(code.word(i + 1));
        if (m_procedureDepth > 0 && !m_inSetter)
            noteAssignment(text, tokens, i, statementStart);
        if (word == "end" && isProcedureKeyword(code.word(i + 1)) && m_procedureDepth > 0)
            --m_procedureDepth;
        else if (m_procedureDepth > 0 && !word.empty())
            m_mentions[m_currentProcedure].insert(mention(code, i, word));
        if (word == "on" && code.word(i + 1) == "error" && code.word(i + 2) == "resume") {
            if (m_procedureDepth > 0) {
                m_skippingProcedures.insert(m_currentProcedure);
            } else {
                m_skipsErrors = true;
                m_includeSkipsErrors = m_includeSkipsErrors || m_surveyingInclude;
                m_skipsInLoop = m_skipsInLoop || m_loopDepth > 0;
            }
        }
        if (statementStart && m_procedureDepth == 0)
            m_loopDepth += (word == "do" || word == "while" || word == "for") ? 1
                           : (word == "loop" || word == "wend" || word == "next") ? -1 : 0;
        if (word == "default" && i > 0 && code.word(i - 1) == "public")
            m_defaultMember = true;
        statementStart = word == "then" || word == "else";
    }
}

// Inside a procedure: what the statement at i assigns (a name, a
// loop's variable) or acts on (an object's member at a statement's start:
// "." stands for it).
void AspPrintHazards::noteAssignment(std::string_view text, const std::vector<Token>& tokens, std::size_t i,
                                     bool statementStart)
{
    const Survey code(text, tokens);
    const std::string word = code.word(i);
    std::set<std::string>& assigned = m_assignedIn[m_currentProcedure];
    if (statementStart && !word.empty() && code.operatorAt(i + 1) == "=")
        assigned.insert(word);
    else if (statementStart && word == "set" && code.operatorAt(i + 2) == "=")
        assigned.insert(code.word(i + 1));
    else if (word == "for")
        assigned.insert(code.word(code.word(i + 1) == "each" ? i + 2 : i + 1));
    else if (statementStart && !word.empty() && (code.operatorAt(i + 1) == "." || code.operatorAt(i + 1) == "("))
        assigned.insert(".");  // obj.Member ..., a(i) = ...: an object's or an array's content
}

// The procedures that may change a value their caller can read: they
// assign a name that is neither theirs nor a local (a ByRef parameter
// is the caller's), act on an object, name a method that moves or
// changes one, code unseen (Eval, Execute, GetRef) or, with includes
// not read, an unknown name; or call one that may. Classes may, when
// made.
const std::set<std::string>& AspPrintHazards::changingProcedures() const
{
    if (m_changing)
        return *m_changing;
    m_changing.emplace(m_classes);
    for (const auto& [procedure, assigned] : m_assignedIn) {
        const auto locals = m_localsOf.find(procedure);
        for (const std::string& name : assigned) {
            if (name != procedure && (locals == m_localsOf.end() || !locals->second.count(name)))
                m_changing->insert(procedure);
        }
    }
    addCallers(*m_changing, &AspPrintHazards::mentionsChanging);
    return *m_changing;
}

bool AspPrintHazards::mentionsChanging(const std::set<std::string>& mentions) const
{
    for (const std::string& mentioned : mentions) {
        const bool member = mentioned.starts_with('.');
        const std::string name = mentioned.substr(member ? 1 : 0);
        if (m_changing->count(name) || (member && kChangingMethods.count(name)))
            return true;
        if (!member && (kPrintingNames.count(name) || name == "getref"))
            return true;
        if ((m_includes && !member && !isKnown(name) && !kKeywords.count(name)) || fromScriptBlock(name, member))
            return true;
    }
    return false;
}

// The procedures that may run while one that skips errors is active:
// those it names, and those they name, and so on. A name that runs code
// unseen (Eval, Execute, GetRef) puts every procedure at risk, and so
// does a class's Class_Initialize or Class_Terminate, which run unnamed.
bool AspPrintHazards::errorsMaySkipIn(const std::string& procedure) const
{
    if (skipsErrors())
        return true;
    if (m_skippingProcedures.empty())
        return false;
    if (!m_atRisk) {
        m_atRisk.emplace(m_skippingProcedures);
        std::vector<std::string> pending(m_skippingProcedures.begin(), m_skippingProcedures.end());
        while (!pending.empty()) {
            const auto mentions = m_mentions.find(pending.back());
            pending.pop_back();
            if (mentions == m_mentions.end())
                continue;
            for (const std::string& mentioned : mentions->second) {
                const std::string name = mentioned.substr(mentioned.starts_with('.') ? 1 : 0);
                if (name == "eval" || name == "execute" || name == "executeglobal" || name == "getref"
                    || fromScriptBlock(name, mentioned.starts_with('.')))
                    m_everyProcedureAtRisk = true;
                if (m_procedures.count(name) && m_atRisk->insert(name).second)
                    pending.push_back(name);
            }
        }
    }
    return m_everyProcedureAtRisk || m_atRisk->count(procedure) || procedure == "class_initialize"
           || procedure == "class_terminate";
}

bool AspPrintHazards::mayPrint(const std::vector<Token>& tokens, std::size_t first, std::size_t last) const
{
    if (m_defaultMember)
        return true;
    const Survey code(m_page, tokens);
    for (std::size_t i = first; i < last; ++i) {
        const std::string word = code.word(i);
        if (word.empty())
            continue;
        if (printingProcedures().count(word) || kPrintingNames.count(word))
            return true;
        const bool member = i > first && code.operatorAt(i - 1) == ".";
        if ((m_includes && !member && !isKnown(word)) || fromScriptBlock(word, member))
            return true;
    }
    return false;
}

bool AspPrintHazards::mayChangeState(const std::vector<Token>& tokens, std::size_t first, std::size_t last) const
{
    if (m_defaultMember)
        return true;
    const Survey code(m_page, tokens);
    for (std::size_t i = first; i < last; ++i) {
        const std::string word = code.word(i);
        if (word.empty())
            continue;
        const bool member = i > first && code.operatorAt(i - 1) == ".";
        if (changingProcedures().count(word) || kPrintingNames.count(word) || word == "getref"
            || (member && kChangingMethods.count(word)) || (m_includes && !member && !isKnown(word))
            || fromScriptBlock(word, member))
            return true;
    }
    return false;
}

bool AspPrintHazards::readsVariable(const std::vector<Token>& tokens, std::size_t first, std::size_t last) const
{
    const Survey code(m_page, tokens);
    for (std::size_t i = first; i < last; ++i) {
        const std::string word = code.word(i);
        const bool member = i > first && code.operatorAt(i - 1) == ".";
        const bool called = code.operatorAt(i + 1) == "(";  // a call or an element: read where it stands
        if (!word.empty() && !member && !called && !m_procedures.count(word) && !kQuietNames.count(word)
            && !kKeywords.count(word) && !kPrintingNames.count(word) && !word.starts_with("vb"))
            return true;
    }
    return false;
}

// Adds to `procedures` every procedure whose body mentions one of them (as
// `mentionsOne` tells), until no more can be added.
void AspPrintHazards::addCallers(std::set<std::string>& procedures, MentionTest mentionsOne) const
{
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto& [procedure, mentions] : m_mentions) {
            if (!procedures.count(procedure) && (this->*mentionsOne)(mentions)) {
                procedures.insert(procedure);
                grown = true;
            }
        }
    }
}

bool AspPrintHazards::isKnown(const std::string& word) const
{
    return word.starts_with("vb") || kQuietNames.count(word) || m_declared.count(word) || m_procedures.count(word);
}

// A procedure may print when its body names Response, Eval, Execute,
// GetRef or a procedure that may print, or, while some include is not
// read, a name nobody declares; a class, when it is made or dropped.
const std::set<std::string>& AspPrintHazards::printingProcedures() const
{
    if (m_printing)
        return *m_printing;
    m_printing.emplace(m_classes);
    addCallers(*m_printing, &AspPrintHazards::mentionsPrinting);
    return *m_printing;
}

bool AspPrintHazards::mentionsPrinting(const std::set<std::string>& mentions) const
{
    for (const std::string& mentioned : mentions) {
        const bool member = mentioned.starts_with('.');
        const std::string name = mentioned.substr(member ? 1 : 0);
        if ((!member && (kPrintingNames.count(name) || name == "getref")) || m_printing->count(name))
            return true;
        if ((m_includes && !member && !isKnown(name) && !kKeywords.count(name)) || fromScriptBlock(name, member))
            return true;
    }
    return false;
}

}  // namespace tagora
