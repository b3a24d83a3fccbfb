#include "script_language.h"

#include "php_lexer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <variant>
#include <vector>

namespace tagora {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

struct Block {
    std::size_t begin;
    std::size_t end;  // after its closing tag, or the end of the page
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
                  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
              });
}

bool containsNoCase(std::string_view text, std::string_view word)
{
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (startsWithNoCase(text.substr(at), word))
            return true;
    }
    return false;
}

// The PHP blocks of a page, and where ASP blocks open in their code.
struct PhpReading {
    std::vector<Block> blocks;
    std::vector<std::size_t> aspInCode;
};

// "<?php", "<?=" or "<?" and a space opens PHP; "<?xml" and other
// processing instructions do not.
bool opensPhp(std::string_view rest)
{
    if (!rest.starts_with("<?"))
        return false;
    rest.remove_prefix(2);
    if (rest.empty() || rest.front() == '=' || isBlank(rest.front()))
        return true;
    return startsWithNoCase(rest, "php") && (rest.size() == 3 || isBlank(rest[3]));
}

// Where PHP code that starts at `at` ends: after "?>" outside strings and
// block comments (a line comment ends there too), or at the end. Adds to
// aspInCode where "<%" stands in the code.
std::size_t phpCodeEnd(std::string_view page, std::size_t at, std::vector<std::size_t>& aspInCode)
{
    while (at < page.size()) {
        const char c = page[at];
        if (page.substr(at).starts_with("?>"))
            return at + 2;
        if (page.substr(at).starts_with("<%"))
            aspInCode.push_back(at);
        if (c == '\'' || c == '"' || c == '`') {
            for (++at; at < page.size() && page[at] != c; ++at)
                at += page[at] == '\\';
            ++at;
        } else if (page.substr(at).starts_with("/*")) {
            const std::size_t close = page.find("*/", at + 2);
            at = close == kNone ? page.size() : close + 2;
        } else if (c == '#' || page.substr(at).starts_with("//")) {
            while (at < page.size() && page[at] != '\n' && !page.substr(at).starts_with("?>"))
                ++at;
        } else {
            ++at;
        }
    }
    return page.size();
}

// The PHP blocks as PHP reads them (a "?>" inside a heredoc or a string
// does not end one), when PHP can read the page.
std::vector<Block> lexedPhpBlocks(std::string_view page, const php::Lexed& lexed)
{
    std::vector<Block> blocks;
    for (const php::Token& token : lexed.tokens) {
        if (token.kind == php::TokenKind::OpenTag || token.kind == php::TokenKind::OpenTagWithEcho) {
            if (opensPhp(page.substr(token.begin)))
                blocks.push_back({token.begin, page.size()});
        } else if (token.kind == php::TokenKind::CloseTag && !blocks.empty() && blocks.back().end == page.size()) {
            blocks.back().end = token.begin + 2;
        }
    }
    return blocks;
}

// Where "<" and "%" follow each other in PHP's code (outside strings and
// comments): an ASP block opens there, which PHP cannot read.
std::vector<std::size_t> aspOpeningsInCode(std::string_view page, const php::Lexed& lexed)
{
    std::vector<std::size_t> openings;
    for (std::size_t i = 0; i + 1 < lexed.tokens.size(); ++i) {
        const php::Token& token = lexed.tokens[i];
        const php::Token& next = lexed.tokens[i + 1];
        if (php::isPunct(token, page, "<") && next.begin == token.end && page.substr(next.begin).starts_with('%'))
            openings.push_back(token.begin);
    }
    return openings;
}

PhpReading phpBlocks(std::string_view page)
{
    if (page.find("<?") == kNone)
        return {};
    const auto lexed = php::lex(page);
    if (const auto* read = std::get_if<php::Lexed>(&lexed))
        return {lexedPhpBlocks(page, *read), aspOpeningsInCode(page, *read)};
    PhpReading reading;
    for (std::size_t at = page.find("<?"); at != kNone; at = page.find("<?", at)) {
        if (!opensPhp(page.substr(at))) {
            at += 2;
            continue;
        }
        const std::size_t end = phpCodeEnd(page, at + 2, reading.aspInCode);
        reading.blocks.push_back({at, end});
        at = end;
    }
    return reading;
}

// "<%" ... "%>" with something other than blank space inside: "<%%>" and
// a "<%" that nothing closes are text.
std::vector<Block> aspBlocks(std::string_view page)
{
    std::vector<Block> blocks;
    for (std::size_t at = page.find("<%"); at != kNone; at = page.find("<%", at)) {
        const std::size_t close = page.find("%>", at + 2);
        if (close == kNone)
            break;
        const std::string_view inside = page.substr(at + 2, close - at - 2);
        if (std::any_of(inside.begin(), inside.end(), [](char c) { return !isBlank(c); }))
            blocks.push_back({at, close + 2});
        at = close + 2;
    }
    return blocks;
}

// The first block that starts outside every block of the other list.
const Block* firstOutside(const std::vector<Block>& blocks, const std::vector<Block>& others)
{
    for (const Block& block : blocks) {
        const bool inside = std::any_of(others.begin(), others.end(), [&block](const Block& other) {
            return other.begin < block.begin && block.begin < other.end;
        });
        if (!inside)
            return &block;
    }
    return nullptr;
}

std::string_view afterBlanks(std::string_view text)
{
    return text.substr(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
}

std::string_view afterSpaces(std::string_view text)
{
    return text.substr(std::min(text.size(), text.find_first_not_of(" \t")));
}

std::string_view inside(std::string_view page, const Block& block)
{
    return page.substr(block.begin + 2, block.end - block.begin - 4);
}

// The code with its string literals and comments blanked, as Java reads
// them ("…" and '…' with backslash escapes, // and /* */), or as VBScript
// does ("…" with "" inside, ' and Rem to the end of the line).
std::string blanked(std::string_view code, bool java)
{
    std::string out(code);
    for (std::size_t at = 0; at < out.size();) {
        const char c = out[at];
        std::size_t end = at + 1;
        if (c == '"' || (java && c == '\'')) {
            while (end < out.size() && out[end] != c && out[end] != '\n')
                end += java && out[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, out.size());
        } else if ((java && code.substr(at).starts_with("//")) || (!java && c == '\'')
                   || (!java && startsWithNoCase(code.substr(at), "rem ") && (at == 0 || isBlank(code[at - 1])))) {
            end = std::min(code.find('\n', at), code.size());
        } else if (java && code.substr(at).starts_with("/*")) {
            end = std::min(code.find("*/", at + 2), code.size() - 2) + 2;
        } else {
            at = end;
            continue;
        }
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(at), out.begin() + static_cast<std::ptrdiff_t>(end), ' ');
        at = end;
    }
    return out;
}

// VBScript's Rem comments blanked: from a "Rem" that starts a line or
// follows ":", and is not assigned to, to the end of the line.
void blankRemComments(std::string& code)
{
    for (std::size_t at = 0; at < code.size(); ++at) {
        const std::size_t start = code.find_first_not_of(" \t", at);
        const bool statementStart = at == 0 || code[at - 1] == '\n' || code[at - 1] == '\r' || code[at - 1] == ':';
        if (!statementStart || start == kNone)
            continue;
        const std::string_view rest = std::string_view(code).substr(start);
        const std::string_view after = afterBlanks(rest.substr(std::min<std::size_t>(3, rest.size())));
        if (startsWithNoCase(rest, "rem") && (rest.size() == 3 || isBlank(rest[3])) && !after.starts_with('=')) {
            const std::size_t end = std::min(code.find('\n', start), code.size());
            std::fill(code.begin() + static_cast<std::ptrdiff_t>(start), code.begin() + static_cast<std::ptrdiff_t>(end), ' ');
        }
    }
}

// Where a JSP shows, or nowhere.
std::size_t jspSign(std::string_view page, const std::vector<Block>& blocks)
{
    constexpr std::array<std::string_view, 6> directives{"page", "include", "taglib", "tag", "attribute", "variable"};
    for (const Block& block : blocks) {
        std::string_view code = inside(page, block);
        if (code.starts_with('!') || code.starts_with("--"))
            return block.begin;
        if (code.starts_with('@')) {
            code = afterBlanks(code.substr(1));
            for (const std::string_view name : directives) {
                if (code.starts_with(name) && code.size() > name.size() && isBlank(code[name.size()]))
                    return block.begin;
            }
        }
        std::string java = blanked(code, true);
        blankRemComments(java);
        for (const std::string_view call : {"out.print(", "out.println(", "out.write("}) {
            if (java.find(call) != kNone)
                return block.begin;
        }
    }
    return page.find("<jsp:");
}

// Where classic ASP shows, or nowhere.
std::size_t aspSign(std::string_view page, const std::vector<Block>& blocks)
{
    constexpr std::array<std::string_view, 5> directives{"language", "codepage", "enablesessionstate", "lcid",
                                                         "transaction"};
    constexpr std::array<std::string_view, 5> calls{"response.write", "response.redirect", "server.createobject",
                                                    "server.htmlencode", "server.mappath"};
    for (const Block& block : blocks) {
        std::string_view code = inside(page, block);
        if (afterSpaces(code).starts_with('@')) {  // IIS allows spaces before the "@"
            code = afterBlanks(afterSpaces(code).substr(1));
            for (const std::string_view name : directives) {
                if (startsWithNoCase(code, name))
                    return block.begin;
            }
        }
        const std::string vbscript = blanked(code, false);
        for (const std::string_view call : calls) {
            if (containsNoCase(vbscript, call))
                return block.begin;
        }
    }
    return kNone;
}

std::string where(std::string_view page, std::size_t offset)
{
    const ScriptReadError at = errorAtOffset(page, offset, {});
    return std::to_string(at.line) + ":" + std::to_string(at.column);
}

PageLanguage twoLanguages(std::string_view page, std::string_view first, std::size_t firstAt,
                          std::string_view second, std::size_t secondAt)
{
    const std::string message = "both " + std::string(first) + " (at " + where(page, firstAt) + ") and "
                                + std::string(second) + " (at " + where(page, secondAt)
                                + "): name the language with --from";
    return {std::nullopt, errorAtOffset(page, std::max(firstAt, secondAt), message)};
}

// ASP or JSP, by their signs; ASP when there is none.
PageLanguage aspOrJsp(std::string_view page, const std::vector<Block>& blocks)
{
    const std::size_t jsp = jspSign(page, blocks);
    const std::size_t asp = aspSign(page, blocks);
    if (jsp != kNone && asp != kNone)
        return twoLanguages(page, "ASP", asp, "JSP", jsp);
    return {jsp != kNone ? Target::Jsp : Target::Asp, {}};
}

// Every ASP block lies in PHP, some in its code, where PHP cannot read
// them. When only "<?" and a space open that PHP, it is an ASP page's text
// ("a <? b"); a "<?php" or "<?=" makes it both.
PageLanguage aspInPhpCode(std::string_view page, const PhpReading& reading, const std::vector<Block>& asp)
{
    for (const Block& block : reading.blocks) {
        const std::string_view opening = page.substr(block.begin);
        if (startsWithNoCase(opening, "<?php") || opening.starts_with("<?="))
            return twoLanguages(page, "PHP", block.begin, "ASP or JSP", reading.aspInCode.front());
    }
    return aspOrJsp(page, asp);
}

}  // namespace

PageLanguage pageLanguage(std::string_view page)
{
    const PhpReading reading = phpBlocks(page);
    const std::vector<Block>& php = reading.blocks;
    const std::vector<Block> asp = aspBlocks(page);
    if (php.empty() && asp.empty()) {
        // "<%" and code that nothing closes: the template reader says where
        const std::size_t open = page.find("<%");
        if (open != kNone && !afterBlanks(page.substr(open + 2)).empty() && page.find("%>", open) == kNone)
            return aspOrJsp(page, {{open, page.size() + 2}});
        return {std::nullopt, {1, 1, "neither a script this program wrote nor a PHP, ASP or JSP page"}};
    }
    const Block* const aspInText = firstOutside(asp, php);
    if (!aspInText)
        return reading.aspInCode.empty() ? PageLanguage{Target::Php, {}} : aspInPhpCode(page, reading, asp);
    const Block* const phpInText = firstOutside(php, asp);
    if (!phpInText)
        return aspOrJsp(page, asp);
    return twoLanguages(page, "PHP", phpInText->begin, "ASP or JSP", aspInText->begin);
}

}  // namespace tagora
