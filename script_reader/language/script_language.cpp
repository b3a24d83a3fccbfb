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
// block comments (a line comment ends there too), or at the end.
std::size_t phpCodeEnd(std::string_view page, std::size_t at)
{
    while (at < page.size()) {
        const char c = page[at];
        if (page.substr(at).starts_with("?>"))
            return at + 2;
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

std::vector<Block> phpBlocks(std::string_view page)
{
    if (page.find("<?") == kNone)
        return {};
    const auto lexed = php::lex(page);
    if (const auto* read = std::get_if<php::Lexed>(&lexed))
        return lexedPhpBlocks(page, *read);
    std::vector<Block> blocks;
    for (std::size_t at = page.find("<?"); at != kNone; at = page.find("<?", at)) {
        if (!opensPhp(page.substr(at))) {
            at += 2;
            continue;
        }
        const std::size_t end = phpCodeEnd(page, at + 2);
        blocks.push_back({at, end});
        at = end;
    }
    return blocks;
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
        const std::string java = blanked(code, true);
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
        if (code.starts_with('@')) {
            code = afterBlanks(code.substr(1));
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

}  // namespace

PageLanguage pageLanguage(std::string_view page)
{
    const std::vector<Block> php = phpBlocks(page);
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
        return {Target::Php, {}};
    const Block* const phpInText = firstOutside(php, asp);
    if (!phpInText)
        return aspOrJsp(page, asp);
    return twoLanguages(page, "PHP", phpInText->begin, "ASP or JSP", aspInText->begin);
}

}  // namespace tagora
