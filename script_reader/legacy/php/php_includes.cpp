#include "php_includes.h"

#include "php_lexer.h"

#include <optional>
#include <variant>

namespace tagora {
namespace {

using php::isName;
using php::isPunct;
using php::kNoLink;
using php::Token;
using php::TokenKind;

bool isIncludeKeyword(const Token& token, std::string_view script)
{
    return isName(token, script, "include") || isName(token, script, "include_once")
           || isName(token, script, "require") || isName(token, script, "require_once");
}

// Where the operand of an include starting at `first` ends: a ";", a
// close tag, a "," or a closing bracket of the level, or an operator that
// binds less tightly ("or", "and", "||", "&&", "?", ":").
std::size_t operandEnd(const std::vector<Token>& tokens, std::string_view script, std::size_t first)
{
    std::size_t j = first;
    while (j < tokens.size()) {
        const Token& token = tokens[j];
        if (token.kind == TokenKind::CloseTag || isPunct(token, script, ";") || isPunct(token, script, ",")
            || isPunct(token, script, ")") || isPunct(token, script, "]") || isPunct(token, script, "}")
            || isPunct(token, script, "||") || isPunct(token, script, "&&") || isPunct(token, script, "?")
            || isPunct(token, script, ":") || isName(token, script, "or") || isName(token, script, "and"))
            break;
        const bool opens = php::opensStringOrInterpolation(token.kind) || isPunct(token, script, "(")
                           || isPunct(token, script, "[") || isPunct(token, script, "{");
        j = opens && token.link != kNoLink && token.link > j ? token.link + 1 : j + 1;
    }
    return j;
}

struct Literal {
    std::string value;
    std::size_t next;  // the index of the token after it
};

// The string literal at i, when its value is written out: '…', a nowdoc,
// or "…" or a heredoc that holds no variable.
std::optional<Literal> literalAt(const php::Lexed& read, std::size_t i)
{
    const std::vector<Token>& t = read.tokens;
    if (i >= t.size())
        return std::nullopt;
    if (t[i].kind == TokenKind::String)
        return Literal{std::string(read.value(t[i].link)), i + 1};
    if (t[i].kind != TokenKind::StringStart || t[i].link == kNoLink || t[i].link <= i)
        return std::nullopt;
    Literal literal{{}, std::size_t{t[i].link} + 1};
    for (std::size_t j = i + 1; j < t[i].link; ++j) {
        if (t[j].kind != TokenKind::StringText)
            return std::nullopt;
        literal.value += read.value(t[j].link);
    }
    return literal;
}

}  // namespace

PhpIncludes PhpIncludeFinder::find(std::string_view file)
{
    PhpIncludes found;
    const auto lexed = php::lex(file);
    const auto* read = std::get_if<php::Lexed>(&lexed);
    if (!read) {
        found.unresolved = "an include of a file PHP cannot read";
        return found;
    }
    const std::vector<Token>& t = read->tokens;
    const auto word = [&](std::size_t i) { return file.substr(t[i].begin, t[i].end - t[i].begin); };
    const auto literal = [&](std::size_t i) { return literalAt(*read, i).has_value(); };
    const auto literalValue = [&](std::size_t i) { return literalAt(*read, i)->value; };
    const auto afterLiteral = [&](std::size_t i) { return literalAt(*read, i)->next; };
    // dirname(__FILE__) or __DIR__ at i: the index after it, or i.
    const auto folderOfFile = [&](std::size_t i) {
        if (i < t.size() && isName(t[i], file, "__dir__"))
            return i + 1;
        if (i + 3 < t.size() && isName(t[i], file, "dirname") && isPunct(t[i + 1], file, "(")
            && isName(t[i + 2], file, "__file__") && isPunct(t[i + 3], file, ")"))
            return i + 4;
        return i;
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        // define('NAME', './') or define('NAME', dirname(__FILE__) . '/')
        if (isName(t[i], file, "define") && i + 4 < t.size() && isPunct(t[i + 1], file, "(") && literal(i + 2)
            && isPunct(t[i + 3], file, ",")) {
            const std::size_t afterFolder = folderOfFile(i + 4);
            const bool dotSlash = literal(i + 4) && (literalValue(i + 4) == "./" || literalValue(i + 4).empty());
            const bool folderSlash = afterFolder > i + 4 && isPunct(t[afterFolder], file, ".") && literal(afterFolder + 1)
                                     && literalValue(afterFolder + 1) == "/";
            if (dotSlash || folderSlash)
                m_folders.emplace(literalValue(i + 2), true);
        }
        if (!isIncludeKeyword(t[i], file) || (i > 0 && (isPunct(t[i - 1], file, "->") || isPunct(t[i - 1], file, "::"))))
            continue;
        std::size_t first = i + 1;
        std::size_t last = operandEnd(t, file, first);
        const std::size_t operandLast = last;
        while (last - first >= 2 && isPunct(t[first], file, "(") && t[first].link == last - 1) {
            ++first;
            --last;
        }
        std::size_t path = folderOfFile(first);
        if (path == first && path < last && t[path].kind == TokenKind::Name && m_folders.count(word(path)))
            ++path;
        if (path > first && path < last && isPunct(t[path], file, "."))
            ++path;
        if (literal(path) && afterLiteral(path) == last) {
            std::string name = literalValue(path);
            if (path > first && name.starts_with('/'))
                name.erase(0, 1);
            found.paths.push_back(std::move(name));
        } else if (found.unresolved.empty()) {
            const std::size_t end = operandLast > i + 1 ? t[operandLast - 1].end : t[i].end;
            found.unresolved = std::string(file.substr(t[i].begin, end - t[i].begin));
        }
    }
    return found;
}

}  // namespace tagora
