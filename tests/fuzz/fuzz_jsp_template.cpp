// Fuzzes hand-written JSP pages to templates, and the telling of a page's
// language. A template holds no print statement that the converter turns
// into text, and no text that a container would read as code, so read
// again it must come back unchanged; an error must point at a line and
// column of the page. The page also stands for a text to print: a page
// printing it by text and out.print or out.write of string literals
// (blank scriptlets between) must give a template that prints the same in
// a plain model of a container, whose text holds no EL, escape or tag.
#include "script_reader/jsp_template.h"
#include "script_reader/script_language.h"
#include "fuzz_check.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

// Bytes below 0xE0 stand for themselves; the top 32 for the pieces of JSP
// and Java the converter reads, and of the other languages' pages.
constexpr std::string_view kPieces[32] = {
    "<%", "%>", "<%=", "<%!", "<%--", "--%>", "<%@ page contentType=\"text/html; charset=UTF-8\" %>",
    "out.print(", "out.println(", "out.write(", "\"", "\\u00e9", "\\", " + ", ");", ";",
    "{", "}", "if (x) ", "\r\n", "//", "/*", "*/", "'", "${", "<c:", "<?php ", "?>",
    "<?xml ", "<jsp:", "%\\>", "\\uD83D",
};

constexpr std::size_t kNone = std::string_view::npos;

// Whether a container writes the text as it is: it holds no EL, escape,
// standard action or prefixed tag.
bool plainText(std::string_view text)
{
    for (const std::string_view sequence : {"${", "#{", "\\", "<jsp:"}) {
        if (text.find(sequence) != kNone)
            return false;
    }
    for (std::size_t open = text.find('<'); open != kNone; open = text.find('<', open + 1)) {
        std::size_t after = open + 1;
        while (after < text.size() && (std::isalnum(static_cast<unsigned char>(text[after])) || text[after] == '_'
                                       || text[after] == '-'))
            ++after;
        if (after > open + 1 && after < text.size() && text[after] == ':')
            return false;  // a prefix: never empty
    }
    return true;
}

// The string a Java literal of the forms below stands for.
std::optional<std::string> javaString(std::string_view code, std::size_t& at)
{
    if (at >= code.size() || code[at] != '"')
        return std::nullopt;
    std::string value;
    for (++at; at < code.size() && code[at] != '"'; ++at) {
        if (code[at] != '\\') {
            value += code[at];
            continue;
        }
        if (++at == code.size())
            return std::nullopt;
        if (code.substr(at, 5) == "u003e")
            value += '>', at += 4;
        else if (const std::size_t escape = std::string_view("\\\"nrt").find(code[at]); escape != kNone)
            value += "\\\"\n\r\t"[escape];
        else
            return std::nullopt;
    }
    if (at++ == code.size())
        return std::nullopt;
    return value;
}

// What a scriptlet of print statements of literals prints.
std::optional<std::string> scriptletPrints(std::string_view code)
{
    std::string printed;
    for (std::size_t at = 0;;) {
        at = code.find_first_not_of(" \t\r\n", at);
        if (at == kNone)
            return printed;
        const std::size_t open = code.find('(', at);
        const std::string_view call = code.substr(at, open == kNone ? 0 : open - at);
        if (call != "out.print" && call != "out.write")
            return std::nullopt;
        at = open + 1;
        const std::optional<std::string> value = javaString(code, at);
        if (!value || code.substr(at, 2) != ");")
            return std::nullopt;
        printed += *value;
        at += 2;
    }
}

// What <%= %> of a literal prints.
std::optional<std::string> expressionPrints(std::string_view code)
{
    std::size_t at = code.find_first_not_of(" \t\r\n");
    std::optional<std::string> value = javaString(code, at);
    if (!value || code.find_first_not_of(" \t\r\n", at) != kNone)
        return std::nullopt;
    return value;
}

// What a page of text, scriptlets of print statements, <%= %> of a
// literal and comments prints, when a plain model can tell.
std::optional<std::string> plainlyPrinted(std::string_view page)
{
    std::string printed;
    std::size_t at = 0;
    for (std::size_t open; (open = page.find("<%", at)) != kNone;) {
        const std::string_view text = page.substr(at, open - at);
        if (!plainText(text))
            return std::nullopt;
        printed += text;
        const bool comment = page.substr(open, 4) == "<%--";
        const std::size_t close = page.find(comment ? "--%>" : "%>", open + 2);
        if (close == kNone)
            return std::nullopt;
        at = close + (comment ? 4 : 2);
        if (comment)
            continue;
        const std::string_view code = page.substr(open + 2, close - open - 2);
        const std::optional<std::string> value = code.starts_with('=') ? expressionPrints(code.substr(1))
                                                                       : scriptletPrints(code);
        if (!value)
            return std::nullopt;
        printed += *value;
    }
    if (!plainText(page.substr(at)))
        return std::nullopt;
    return printed.append(page.substr(at));
}

// A page printing the text, in pieces of random sizes: as text where it
// holds no "<%", else by a print statement of a literal; blank scriptlets
// between now and then.
std::string pagePrinting(std::string_view text)
{
    std::mt19937_64 random(std::hash<std::string_view>{}(text));
    std::string page;
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, 1 + random() % 12);
        text.remove_prefix(piece.size());
        const unsigned form = random() % 4;
        const bool asText = piece.find_first_of("\\$#") == kNone && piece.find("<%") == kNone
                            && !(page.ends_with('<') && piece.starts_with('%'));
        if (form < 2 && asText) {
            page.append(piece).append(form == 1 ? "<% %>" : "");
        } else {
            std::string literal;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                const char c = piece[i];
                if (c == '>' && i > 0 && piece[i - 1] == '%')
                    literal += "\\u003e";  // "%>" would end the scriptlet
                else if (const std::size_t escape = std::string_view("\\\"\n\r").find(c); escape != kNone)
                    literal.append("\\").push_back("\\\"nr"[escape]);
                else
                    literal += c;
            }
            page.append("<% out.").append(form == 2 ? "print" : "write").append("(\"").append(literal).append("\"); %>");
        }
    }
    return page;
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page = fuzz::pageFrom(data, size, kPieces);
    if (size % 4 == 1)  // on a quarter of the inputs, and their start: for speed
        fuzz::checkTemplatePrintsTheSame(std::string_view(page).substr(0, 32), pagePrinting,
                                         [](std::string_view p) { return tagora::jspTemplate(p); }, plainlyPrinted);
    const auto copy = fuzz::exactCopy(std::string_view(page));
    const std::string_view exact(copy.get(), page.size());
    const tagora::PageLanguage language = tagora::pageLanguage(exact);
    if (!language.language)
        fuzz::checkPlace(language.error, page);
    const auto result = tagora::jspTemplate(exact);
    if (const auto* error = std::get_if<tagora::ScriptReadError>(&result)) {
        fuzz::checkPlace(*error, page);
        return 0;
    }
    const std::string& templ = std::get<std::string>(result);
    if (page.find("<%") == std::string::npos)
        FUZZ_CHECK(templ == page);
    const auto again = tagora::jspTemplate(templ);
    FUZZ_CHECK(std::holds_alternative<std::string>(again));
    FUZZ_CHECK(std::get<std::string>(again) == templ);
    return 0;
}
