#include "php_print_hazards.h"

#include <algorithm>
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
    "time", "trim", "ucfirst", "ucwords", "uniqid", "urldecode", "urlencode", "vsprintf",
    "wordwrap",
};

// Those of the quiet functions that may change a variable they are given.
const std::set<std::string_view, std::less<>> kTakingReferences{
    "array_pop", "array_push", "array_shift", "array_splice", "array_unshift", "arsort", "asort", "end",
    "krsort", "ksort", "next", "preg_match", "preg_match_all", "preg_replace", "prev", "reset", "rsort", "sort",
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

// PHP's own functions that take a value of any type and never throw.
const std::set<std::string_view, std::less<>> kTotalFunctions{
    "boolval", "get_debug_type", "gettype", "intval", "is_array", "is_bool", "is_countable", "is_float",
    "is_int", "is_integer", "is_iterable", "is_long", "is_null", "is_numeric", "is_object", "is_scalar",
    "is_string",
};

// Operators that throw a TypeError on an array or a non-numeric string,
// or a DivisionByZeroError.
constexpr std::string_view kThrowingOperators[]{
    "/", "%", "*", "+", "-", "**", "<<", ">>", "|", "^", "~",
};

// Words that are not constants where a name stands alone: keywords, casts
// and types.
const std::set<std::string_view, std::less<>> kNotConstants{
    "abstract", "and", "array", "as", "binary", "bool", "boolean", "break", "callable", "case", "catch", "class",
    "clone", "const", "continue", "declare", "default", "die", "do", "double", "echo", "else", "elseif", "empty",
    "enddeclare", "endfor", "endforeach", "endif", "endswitch", "endwhile", "enum", "eval", "exit", "extends",
    "false", "final", "finally", "float", "fn", "for", "foreach", "from", "function", "global", "goto", "if",
    "implements", "include", "include_once", "instanceof", "insteadof", "int", "integer", "interface", "isset",
    "iterable", "list", "match", "mixed", "namespace", "never", "new", "null", "object", "or", "parent", "print",
    "private", "protected", "public", "readonly", "real", "require", "require_once", "return", "self", "static",
    "string", "switch", "throw", "trait", "true", "try", "unset", "use", "var", "void", "while", "xor", "yield",
};

// Words after which a name is a class, function or label, not a value.
const std::set<std::string_view, std::less<>> kNamingWords{
    "as", "class", "const", "enum", "extends", "function", "goto", "implements", "insteadof", "instanceof",
    "interface", "namespace", "new", "trait", "use",
};

// Prefixes and names of PHP's own constants.
constexpr std::string_view kInternalConstantPrefixes[]{
    "PHP_", "E_", "M_", "ENT_", "SORT_", "PREG_", "JSON_", "STR_PAD_", "COUNT_", "LC_", "DATE_", "PATHINFO_",
    "FILTER_", "ARRAY_FILTER_", "CASE_", "EXTR_", "HTML_", "LOCK_", "SEEK_", "FILE_", "GLOB_", "MB_", "PASSWORD_",
    "ROUND_", "INI_", "UPLOAD_ERR_", "CRYPT_", "LIBXML_", "FNM_", "SCANDIR_", "CHAR_MAX", "CONNECTION_",
};
const std::set<std::string_view, std::less<>> kInternalConstants{
    "DIRECTORY_SEPARATOR", "PATH_SEPARATOR", "DEFAULT_INCLUDE_PATH", "INF", "NAN", "STDIN", "STDOUT", "STDERR",
};

// Methods PHP calls by itself when a value is read, converted, encoded,
// counted or destroyed: when one of them may print, any value may.
const std::set<std::string_view, std::less<>> kImplicitMethods{
    "__call", "__callstatic", "__destruct", "__get", "__invoke", "__isset", "__serialize", "__set", "__sleep",
    "__tostring", "__unserialize", "__unset", "__wakeup", "count", "current", "getiterator", "jsonserialize",
    "key", "offsetexists", "offsetget", "offsetset", "offsetunset",
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

PrintHazards::PrintHazards(std::string_view script, const std::vector<Token>& tokens,
                           const std::vector<ProgramFile>& included, bool includesKnown)
    : m_includesKnown(includesKnown)
{
    m_files.push_back({script, &tokens});
    m_files.insert(m_files.end(), included.begin(), included.end());
    for (std::size_t file = 0; file < m_files.size(); ++file) {
        surveyDeclarations(file);
        surveyProgram(file);
        surveyConstants(file);
    }
    // ticks do nothing without a tick function, which code not shown may register
    if (m_declaresTicks && (m_tickFunction || !m_includesKnown))
        m_pageHazard = PageHazard::Ticks;
    findPrintingFunctions();
    for (const auto& [name, prints] : m_prints)
        m_valuesPrint = m_valuesPrint || (prints && kImplicitMethods.count(name));
    findCatchingScopes();
    countHazards();
    chooseFreeName();
}

std::string_view PrintHazards::text(std::size_t file, const Token& t) const
{
    return m_files[file].script.substr(t.begin, t.end - t.begin);
}

bool PrintHazards::isName(std::size_t file, std::size_t i, std::string_view lowerName) const
{
    return i < size(file) && php::isName(token(file, i), m_files[file].script, lowerName);
}

bool PrintHazards::isPunct(std::size_t file, std::size_t i, std::string_view punct) const
{
    return i < size(file) && php::isPunct(token(file, i), m_files[file].script, punct);
}

// "function name(…) {": the body of every named function and method.
void PrintHazards::surveyDeclarations(std::size_t file)
{
    for (std::size_t i = 0; i + 2 < size(file); ++i) {
        if (!isName(file, i, "function"))
            continue;
        std::size_t name = i + 1;
        if (isPunct(file, name, "&"))
            ++name;
        if (name + 1 >= size(file) || token(file, name).kind != TokenKind::Name || !isPunct(file, name + 1, "(")
            || token(file, name + 1).link == kNoLink)
            continue;
        std::size_t body = token(file, name + 1).link + 1;
        // a type in the parameters or after them: a call may throw a TypeError
        bool typed = isPunct(file, body, ":");
        for (std::size_t j = name + 2; j < body - 1; ++j)
            typed = typed || (token(file, j).kind == TokenKind::Name && !isName(file, j, "null")
                              && !isName(file, j, "true") && !isName(file, j, "false"));
        while (body < size(file) && !isPunct(file, body, "{") && !isPunct(file, body, ";"))
            ++body;
        if (body < size(file) && isPunct(file, body, "{") && token(file, body).link != kNoLink)
            m_bodies[lowered(text(file, token(file, name)))].push_back({file, body + 1, token(file, body).link, typed});
    }
}

// What a file sets up for the whole program: handlers, try blocks,
// autoloaders, ticks, chunked output; and the variable names it uses.
void PrintHazards::surveyProgram(std::size_t file)
{
    for (std::size_t i = 0; i < size(file); ++i) {
        const Token& t = token(file, i);
        if (t.kind == TokenKind::Variable || t.kind == TokenKind::StringVariable)
            noteVariable(text(file, t));
        if (t.kind != TokenKind::Name)
            continue;
        const std::string name = lowered(text(file, t));
        const bool called = isPunct(file, i + 1, "(");
        if (name == "set_error_handler" && called)
            m_errorHandler = true;
        else if ((name == "set_exception_handler" || name == "register_shutdown_function") && called)
            m_exceptionHook = true;
        else if (name == "try" && isPunct(file, i + 1, "{"))
            m_hasTry = true;
        else if ((name == "spl_autoload_register" && called) || (name == "__autoload" && isName(file, i - 1, "function")))
            m_autoloads = true;
        else if ((name == "eval" && called) || name == "create_function")
            m_includesKnown = false;  // code the program does not show
        else if (name == "declare" && called && isName(file, i + 2, "ticks"))
            m_declaresTicks = true;
        else if (name == "register_tick_function" && called)
            m_tickFunction = true;
        else if (name == "ob_start" && called && m_pageHazard == PageHazard::None) {
            // a second argument, or arguments spread from an array, may set a chunk size
            const std::size_t close = token(file, i + 1).link;
            for (std::size_t j = i + 2; close != kNoLink && j < close; ++j) {
                const Token& inner = token(file, j);
                if (isPunct(file, j, ",") || isPunct(file, j, "..."))
                    m_pageHazard = PageHazard::ChunkedOutput;
                if ((php::opensStringOrInterpolation(inner.kind) || isPunct(file, j, "(") || isPunct(file, j, "[")
                     || isPunct(file, j, "{"))
                    && inner.link != kNoLink && inner.link > j)
                    j = inner.link;
            }
        }
    }
}

namespace {

using Callers = std::map<std::string, std::vector<std::string>, std::less<>>;

// Marks the callers of every marked function, and theirs.
void markCallers(std::map<std::string, bool, std::less<>>& marked, Callers& callers)
{
    std::vector<std::string> pending;
    for (const auto& [name, mark] : marked)
        if (mark)
            pending.push_back(name);
    while (!pending.empty()) {
        const std::string callee = std::move(pending.back());
        pending.pop_back();
        for (const std::string& caller : callers[callee])
            if (!std::exchange(marked[caller], true))
                pending.push_back(caller);
    }
}

}  // namespace

// A function prints when its body does, or calls one that does; it may
// throw when it prints, has a type declared, its body may throw, or it
// calls one that may.
void PrintHazards::findPrintingFunctions()
{
    Callers callers;
    for (const auto& [name, bodies] : m_bodies) {
        bool prints = false;
        bool throws = false;
        std::vector<std::string> calls;
        for (const Body& body : bodies) {
            prints = printsDirectly(body.file, body.first, body.last, &calls) || prints;
            throws = throws || body.typed;
            for (std::size_t j = body.first; j < body.last; ++j)
                throws = throwsDirectly(body.file, j, &calls) || throws;
        }
        for (const std::string& callee : calls)
            callers[callee].push_back(name);
        m_prints[name] = prints;
        m_throws[name] = prints || throws;
    }
    markCallers(m_prints, callers);
    markCallers(m_throws, callers);
}

// define('NAME', …) and const NAME = …: constants the program defines.
void PrintHazards::surveyConstants(std::size_t file)
{
    for (std::size_t i = 0; i + 2 < size(file); ++i) {
        if (isName(file, i, "const") && token(file, i + 1).kind == TokenKind::Name && isPunct(file, i + 2, "=")) {
            m_constants.emplace(text(file, token(file, i + 1)));
        } else if (isName(file, i, "define") && isPunct(file, i + 1, "(")) {
            const Token& name = token(file, i + 2);
            const std::string_view quoted = text(file, name);
            if (name.kind == TokenKind::String && quoted.size() >= 2)
                m_constants.emplace(quoted.substr(1, quoted.size() - 2));
            else if (name.kind == TokenKind::StringStart && i + 3 < size(file)
                     && token(file, i + 3).kind == TokenKind::StringText)
                m_constants.emplace(text(file, token(file, i + 3)));
        }
    }
}

// The tokens of the page inside "try {…}" or the body of a function,
// method or closure, which a try block elsewhere may call.
void PrintHazards::findCatchingScopes()
{
    std::vector<std::pair<std::size_t, std::size_t>> scopes;  // [open, close)
    for (std::size_t i = 0; i < size(0); ++i) {
        std::size_t open = kNoLink;
        if (isName(0, i, "try") && isPunct(0, i + 1, "{"))
            open = i + 1;
        else if (isName(0, i, "function")) {
            std::size_t j = i + 1;
            while (j < size(0) && !isPunct(0, j, "{") && !isPunct(0, j, ";"))
                ++j;
            open = isPunct(0, j, "{") ? j : kNoLink;
        }
        if (open != kNoLink && token(0, open).link != kNoLink && token(0, open).link > open)
            scopes.emplace_back(open, token(0, open).link);
    }
    // every token of their union: sorted, each scope marks only what the
    // ones before it did not reach
    std::sort(scopes.begin(), scopes.end());
    m_catching.assign(size(0) + 1, false);
    std::size_t marked = 0;
    for (const auto& [open, close] : scopes) {
        for (std::size_t i = std::max(open, marked); i < close; ++i)
            m_catching[i] = true;
        marked = std::max(marked, close);
    }
}

void PrintHazards::noteVariable(std::string_view name)
{
    constexpr std::string_view kPrefix = "$__w";
    if (!name.starts_with(kPrefix))
        return;
    const std::size_t underscores = std::min(name.find_first_not_of('_', kPrefix.size()), name.size()) - kPrefix.size();
    m_freeUnderscores = std::max(m_freeUnderscores, underscores + 1);
}

void PrintHazards::chooseFreeName()
{
    m_freeName = "$__w" + std::string(m_freeUnderscores, '_');
}

namespace {

bool anySet(const std::vector<bool>& bits, std::size_t first, std::size_t last)
{
    if (first > last)
        std::swap(first, last);
    return std::find(bits.begin() + static_cast<std::ptrdiff_t>(first), bits.begin() + static_cast<std::ptrdiff_t>(last),
                     true)
           != bits.begin() + static_cast<std::ptrdiff_t>(last);
}

}  // namespace

bool PrintHazards::mayPrint(std::size_t first, std::size_t last) const
{
    return anySet(m_printing, first, last);
}

bool PrintHazards::mayWrite(std::size_t first, std::size_t last) const
{
    return anySet(m_writing, first, last);
}

bool PrintHazards::mayThrow(std::size_t first, std::size_t last) const
{
    return anySet(m_throwing, first, last);
}

Hazard PrintHazards::hazard(std::size_t first, std::size_t last) const
{
    if (mayPrint(first, last))
        return Hazard::Prints;
    if (!m_includesKnown)
        return Hazard::Unknown;
    if (m_errorHandler)
        return Hazard::ErrorHandler;
    if (m_exceptionHook || (m_hasTry && first < m_catching.size() && m_catching[first]))
        return Hazard::Caught;
    return mayThrow(first, last) ? Hazard::Throws : Hazard::None;
}

// Marks, token by token, those of the page that may print, those that may
// change a variable and those that may throw.
void PrintHazards::countHazards()
{
    m_printing.assign(size(0), false);
    m_writing.assign(size(0), false);
    m_throwing.assign(size(0), false);
    for (std::size_t j = 0; j < size(0); ++j) {
        std::vector<std::string> calls;
        const Token& t = token(0, j);
        bool printing = printsDirectly(0, j, j + 1, &calls)
                        || (m_valuesPrint && (t.kind == TokenKind::Variable || t.kind == TokenKind::StringVariable))
                        || (m_autoloads && isPunct(0, j, "::"));
        for (const std::string& callee : calls)
            printing = printing || m_prints.at(callee);
        calls.clear();
        bool throwing = printing || throwsDirectly(0, j, &calls);
        for (const std::string& callee : calls)
            throwing = throwing || m_throws.at(callee);
        m_printing[j] = printing;
        m_writing[j] = printing || writes(j);
        m_throwing[j] = throwing;
    }
}

// An assignment, ++ or --, or a call of a function of the program or of
// one of PHP's that takes a reference.
bool PrintHazards::writes(std::size_t j) const
{
    for (const std::string_view op : kWritingOperators)
        if (isPunct(0, j, op))
            return true;
    if (j == 0 || !isPunct(0, j, "(") || token(0, j - 1).kind != TokenKind::Name)
        return false;
    const std::string name = lowered(text(0, token(0, j - 1)));
    return m_bodies.count(name) || kTakingReferences.count(name) || name == "unset";
}

bool PrintHazards::printsDirectly(std::size_t file, std::size_t first, std::size_t last,
                                  std::vector<std::string>* calls) const
{
    for (std::size_t j = first; j < last; ++j) {
        const Token& t = token(file, j);
        if (t.kind == TokenKind::InlineHtml || t.kind == TokenKind::OpenTagWithEcho)
            return true;
        if (t.kind == TokenKind::Name && kPrintingKeywords.count(lowered(text(file, t))))
            return true;
        if (isPunct(file, j, "(") && j > 0 && callMayPrint(file, j, calls))
            return true;
    }
    return false;
}

// The "(" at `open` calls something: a name, a method, a variable or the
// value of an expression.
bool PrintHazards::callMayPrint(std::size_t file, std::size_t open, std::vector<std::string>* calls) const
{
    const Token& callee = token(file, open - 1);
    if (callee.kind == TokenKind::Variable || isPunct(file, open - 1, ")") || isPunct(file, open - 1, "]")
        || isPunct(file, open - 1, "}"))
        return true;  // a function chosen at run time
    if (callee.kind != TokenKind::Name)
        return false;
    const std::string name = lowered(text(file, callee));
    if (kNotCalls.count(name))
        return false;
    const bool hasBefore = open >= 2;
    const bool byReference = hasBefore && isPunct(file, open - 2, "&") && open >= 3 && isName(file, open - 3, "function");
    if (byReference || (hasBefore && (isName(file, open - 2, "function") || isName(file, open - 2, "fn"))))
        return false;  // a declaration
    if (m_bodies.count(name)) {
        calls->push_back(name);
        return false;
    }
    const bool member = hasBefore && (isPunct(file, open - 2, "->") || isPunct(file, open - 2, "?->") || isPunct(file, open - 2, "::"));
    return member || !kQuietFunctions.count(name);
}

bool PrintHazards::throwsDirectly(std::size_t file, std::size_t j, std::vector<std::string>* calls) const
{
    if (isPunct(file, j, "::"))
        return true;  // a class that may not exist, a static call
    for (const std::string_view op : kThrowingOperators)
        if (isPunct(file, j, op))
            return true;
    if (token(file, j).kind == TokenKind::Name)
        return isUnknownConstant(file, j);
    if (j == 0 || !isPunct(file, j, "("))
        return false;
    const Token& callee = token(file, j - 1);
    if (callee.kind != TokenKind::Name)
        return callee.kind == TokenKind::Variable || isPunct(file, j - 1, ")") || isPunct(file, j - 1, "]")
               || isPunct(file, j - 1, "}");
    const std::string name = lowered(text(file, callee));
    if (name == "match")
        return true;  // no arm may match
    if (kNotCalls.count(name) || isName(file, j - 2, "function") || isName(file, j - 2, "fn")
        || (isPunct(file, j - 2, "&") && isName(file, j - 3, "function")))
        return false;
    if (isPunct(file, j - 2, "->") || isPunct(file, j - 2, "?->") || isPunct(file, j - 2, "::"))
        return true;
    if (m_bodies.count(name)) {
        calls->push_back(name);
        return false;
    }
    return !kTotalFunctions.count(name);
}

// A name standing alone as a value that the program does not define and
// PHP may not know: reading an undefined constant throws.
bool PrintHazards::isUnknownConstant(std::size_t file, std::size_t j) const
{
    std::string_view name = text(file, token(file, j));
    if (name.starts_with('\\'))
        name.remove_prefix(1);
    const auto next = [&](std::string_view punct) { return isPunct(file, j + 1, punct); };
    const auto previous = [&](std::string_view punct) { return j > 0 && isPunct(file, j - 1, punct); };
    if (next("(") || next("::") || previous("->") || previous("?->") || previous("::")
        || (j + 1 < size(file) && token(file, j + 1).kind == TokenKind::Variable)  // a type
        || (next(":") && (previous("(") || previous(","))))                        // a named argument
        return false;
    if (j > 0 && token(file, j - 1).kind == TokenKind::Name
        && kNamingWords.count(lowered(text(file, token(file, j - 1)))))
        return false;  // new C, instanceof C, function f, class C…
    if (kNotConstants.count(lowered(name)) || (name.starts_with("__") && name.ends_with("__"))
        || kInternalConstants.count(name) || m_constants.count(name))
        return false;
    return std::none_of(std::begin(kInternalConstantPrefixes), std::end(kInternalConstantPrefixes),
                        [&](std::string_view prefix) { return name.starts_with(prefix); });
}

}  // namespace tagora::php
