#include "script_reader/php_print_hazards.h"

#include <set>
#include <utility>

namespace tagora::php {
namespace {

// PHP's own functions that neither print nor call back into the script.
const std::set<std::string_view, std::less<>> kQuietFunctions{
    "abs", "addslashes", "array_combine", "array_count_values", "array_diff", "array_fill", "array_flip",
    "array_intersect", "array_key_exists", "array_key_first", "array_key_last", "array_keys", "array_merge",
    "array_pad", "array_pop", "array_push", "array_rand", "array_reverse", "array_search", "array_shift",
    "array_slice", "array_splice", "array_sum", "array_unique", "array_unshift", "array_values", "arsort",
    "asort", "base64_decode", "base64_encode", "basename", "bin2hex", "boolval", "ceil", "checkdate", "chr",
    "chunk_split", "compact", "count", "crc32", "current", "date", "decbin", "dechex", "defined", "dirname",
    "end", "explode", "file_exists", "filemtime", "filesize", "floatval", "floor", "fmod", "get_class", "gettype",
    "gmdate", "hexdec", "html_entity_decode", "htmlentities", "htmlspecialchars", "htmlspecialchars_decode",
    "http_build_query", "implode", "in_array", "intdiv", "intval", "is_array", "is_bool", "is_dir", "is_file",
    "is_float", "is_int", "is_integer", "is_null", "is_numeric", "is_object", "is_string", "join", "json_encode",
    "key", "krsort", "ksort", "lcfirst", "ltrim", "max", "mb_strlen", "mb_strtolower", "mb_strtoupper",
    "mb_substr", "md5", "microtime", "min", "mktime", "mt_rand", "next", "nl2br", "number_format", "ord",
    "pathinfo", "pi", "pow", "preg_match", "preg_match_all", "preg_quote", "preg_replace", "preg_split", "prev",
    "rand", "range", "rawurlencode", "reset", "round", "rsort", "rtrim", "serialize", "sha1", "sort",
    "sprintf", "sqrt", "str_contains", "str_ends_with", "str_ireplace", "str_pad", "str_repeat", "str_replace",
    "str_split", "str_starts_with", "str_word_count", "strcasecmp", "strcmp", "strip_tags", "stripslashes",
    "stripos", "stristr", "strlen", "strncasecmp", "strncmp", "strpos", "strrchr", "strrev", "strrpos", "strstr",
    "strtolower", "strtotime", "strtoupper", "strtr", "strval", "substr", "substr_count", "substr_replace",
    "time", "trim", "ucfirst", "ucwords", "uniqid", "unserialize", "urldecode", "urlencode", "vsprintf",
    "wordwrap",
};

// Those of the quiet functions that may change a variable they are given.
const std::set<std::string_view, std::less<>> kTakingReferences{
    "array_pop", "array_push", "array_shift", "array_splice", "array_unshift", "arsort", "asort", "end",
    "krsort", "ksort", "next", "preg_match", "preg_match_all", "prev", "reset", "rsort", "sort",
    "str_ireplace", "str_replace",
};

// Operators that change a variable.
constexpr std::string_view kWritingOperators[]{
    "=", "+=", "-=", "*=", "/=", ".=", "%=", "**=", "&=", "|=", "^=", "<<=", ">>=", "?\?=", "++", "--",
};

// Keywords that a "(" may follow without a call.
const std::set<std::string_view, std::less<>> kNotCalls{
    "and", "array", "as", "case", "catch", "declare", "do", "echo", "else", "elseif", "empty", "fn", "for",
    "foreach", "function", "if", "instanceof", "isset", "list", "match", "or", "return", "static",
    "switch", "unset", "use", "while", "xor",
};

// Keywords that print, stop or run code the file does not show.
const std::set<std::string_view, std::less<>> kPrintingKeywords{
    "clone", "die", "echo", "eval", "exit", "include", "include_once", "new", "print", "require",
    "require_once", "throw", "yield",
};

std::string lowered(std::string_view word)
{
    std::string result(word);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (result.starts_with('\\'))
        result.erase(0, 1);
    return result;
}

}  // namespace

PrintHazards::PrintHazards(std::string_view script, const std::vector<Token>& tokens) : m_s(script), m_t(tokens)
{
    surveyDeclarations();
    findPrintingFunctions();
    countHazards();
}

// "function name(…) {": the body of every named function and method.
void PrintHazards::surveyDeclarations()
{
    for (std::size_t i = 0; i + 2 < m_t.size(); ++i) {
        if (!isName(m_t[i], m_s, "function"))
            continue;
        std::size_t name = i + 1;
        if (isPunct(m_t[name], m_s, "&"))
            ++name;
        if (name + 1 >= m_t.size() || m_t[name].kind != TokenKind::Name || !isPunct(m_t[name + 1], m_s, "(")
            || m_t[name + 1].link == kNoLink)
            continue;
        std::size_t body = m_t[name + 1].link + 1;
        while (body < m_t.size() && !isPunct(m_t[body], m_s, "{") && !isPunct(m_t[body], m_s, ";"))
            ++body;
        if (body < m_t.size() && isPunct(m_t[body], m_s, "{") && m_t[body].link != kNoLink)
            m_bodies[lowered(m_s.substr(m_t[name].begin, m_t[name].end - m_t[name].begin))].emplace_back(
                body + 1, m_t[body].link);
    }
}

// A function prints when its body does, or calls one that does.
void PrintHazards::findPrintingFunctions()
{
    std::map<std::string, std::vector<std::string>, std::less<>> callers;
    std::vector<std::string> printing;
    for (const auto& [name, bodies] : m_bodies) {
        bool prints = false;
        std::vector<std::string> calls;
        for (const auto& [first, last] : bodies)
            prints = printsDirectly(first, last, &calls) || prints;
        for (const std::string& callee : calls)
            callers[callee].push_back(name);
        m_prints[name] = prints;
        if (prints)
            printing.push_back(name);
    }
    while (!printing.empty()) {
        const std::string callee = std::move(printing.back());
        printing.pop_back();
        for (const std::string& caller : callers[callee])
            if (!std::exchange(m_prints[caller], true))
                printing.push_back(caller);
    }
}

bool PrintHazards::mayPrint(std::size_t first, std::size_t last) const
{
    return m_printing[last] != m_printing[first];
}

bool PrintHazards::mayWrite(std::size_t first, std::size_t last) const
{
    return m_writing[last] != m_writing[first];
}

// Counts, token by token, those that may print and those that may change a
// variable, so that any range is answered at once.
void PrintHazards::countHazards()
{
    const auto prints = [&](std::string_view method) {
        const auto found = m_prints.find(method);
        return found != m_prints.end() && found->second;
    };
    // A class of the file turns its objects into text, or reads their
    // properties, with a method that may print: then any variable may.
    const bool variablesPrint = prints("__tostring") || prints("__get");
    m_printing.assign(m_t.size() + 1, 0);
    m_writing.assign(m_t.size() + 1, 0);
    for (std::size_t j = 0; j < m_t.size(); ++j) {
        std::vector<std::string> calls;
        bool printing = printsDirectly(j, j + 1, &calls)
                        || (variablesPrint
                            && (m_t[j].kind == TokenKind::Variable || m_t[j].kind == TokenKind::StringVariable));
        for (const std::string& callee : calls)
            printing = printing || m_prints.at(callee);
        m_printing[j + 1] = m_printing[j] + (printing ? 1 : 0);
        m_writing[j + 1] = m_writing[j] + (printing || writes(j) ? 1 : 0);
    }
}

// An assignment, ++ or --, or a call of a function of the file or of one of
// PHP's that takes a reference.
bool PrintHazards::writes(std::size_t j) const
{
    for (const std::string_view op : kWritingOperators)
        if (isPunct(m_t[j], m_s, op))
            return true;
    if (j == 0 || !isPunct(m_t[j], m_s, "(") || m_t[j - 1].kind != TokenKind::Name)
        return false;
    const std::string name = lowered(m_s.substr(m_t[j - 1].begin, m_t[j - 1].end - m_t[j - 1].begin));
    return m_bodies.count(name) || kTakingReferences.count(name) || name == "unset";
}

bool PrintHazards::printsDirectly(std::size_t first, std::size_t last, std::vector<std::string>* calls) const
{
    for (std::size_t j = first; j < last; ++j) {
        const Token& token = m_t[j];
        if (token.kind == TokenKind::InlineHtml || token.kind == TokenKind::OpenTagWithEcho)
            return true;
        if (token.kind == TokenKind::Name
            && kPrintingKeywords.count(lowered(m_s.substr(token.begin, token.end - token.begin))))
            return true;
        if (isPunct(token, m_s, "(") && j > 0 && callMayPrint(j, calls))
            return true;
    }
    return false;
}

// The "(" at `open` calls something: a name, a method, a variable or the
// value of an expression.
bool PrintHazards::callMayPrint(std::size_t open, std::vector<std::string>* calls) const
{
    const Token& callee = m_t[open - 1];
    if (callee.kind == TokenKind::Variable || isPunct(callee, m_s, ")") || isPunct(callee, m_s, "]")
        || isPunct(callee, m_s, "}"))
        return true;  // a function chosen at run time
    if (callee.kind != TokenKind::Name)
        return false;
    const std::string name = lowered(m_s.substr(callee.begin, callee.end - callee.begin));
    if (kNotCalls.count(name))
        return false;
    const Token* before = open >= 2 ? &m_t[open - 2] : nullptr;
    const bool byReference = before && isPunct(*before, m_s, "&") && open >= 3 && isName(m_t[open - 3], m_s, "function");
    if (byReference || (before && (isName(*before, m_s, "function") || isName(*before, m_s, "fn"))))
        return false;  // a declaration
    if (m_bodies.count(name)) {
        calls->push_back(name);
        return false;
    }
    const bool member = before && (isPunct(*before, m_s, "->") || isPunct(*before, m_s, "?->") || isPunct(*before, m_s, "::"));
    return member || !kQuietFunctions.count(name);
}

}  // namespace tagora::php
