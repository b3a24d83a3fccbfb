// Fuzzes legacy ASP pages to templates. A template holds no Response.Write
// and no text that ASP would read as code, so read again it must come back
// unchanged; an error must point at a line and column of the page. The
// page also stands for a text to print: a page printing it by text,
// Response.Write and <%= %> of literals joined by & (blank blocks between)
// must give a template that prints the same in a plain model of ASP.
#include "script_reader/asp_template.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Bytes below 0xE0 stand for themselves (any 8-bit encoding); the top 32
// for the pieces of ASP and VBScript the converter reads.
constexpr std::string_view kPieces[32] = {
    "<%", "%>", "<%=", "Response.Write ", "\"", " & ", "vbCrLf", "If x Then ",
    " Else ", " End If", " : ", " _\r\n", "' c", "Chr(60)", "(", ")",
    "\r\n", "<!-- #", "<script runat=server>", "With Response\r\n", ".Write ", "Sub S\r\n", "End Sub",
    "On Error Resume Next\r\n", " + ", "Call ", ", ", "\"\"", "Rem ", "End With", "%", "<",
};

constexpr std::size_t kNone = std::string_view::npos;

// Text that ASP writes as it is: no server-side script or include.
bool plainText(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower.find("<script") != kNone)
        return false;
    for (std::size_t comment = lower.find("<!--"); comment != kNone; comment = lower.find("<!--", comment + 1)) {
        const std::size_t directive = lower.find_first_not_of(" \t\r\n", comment + 4);
        if (directive != kNone && lower[directive] == '#')
            return false;  // an include: ASP reads them in the page's own text only
    }
    return true;
}

// The value of literals, vbCr, vbLf, vbCrLf and Chr(n) joined by &.
std::optional<std::string> expressionValue(std::string_view code)
{
    std::string value;
    for (std::size_t at = 0;;) {
        at = code.find_first_not_of(' ', at);
        if (at == kNone)
            return std::nullopt;
        if (code[at] == '"') {
            for (++at; at < code.size() && (code[at] != '"' || code.substr(at, 2) == "\"\""); ++at)
                value += code[at], at += code[at] == '"';
            if (at++ == code.size())
                return std::nullopt;
        } else if (code.substr(at, 4) == "Chr(") {
            const std::size_t close = code.find(')', at);
            if (close == kNone)
                return std::nullopt;
            value += char(std::atoi(std::string(code.substr(at + 4, close - at - 4)).c_str()));
            at = close + 1;
        } else {
            const std::size_t end = std::min(code.find_first_of(" &", at), code.size());
            const std::string_view name = code.substr(at, end - at);
            if (name != "vbCr" && name != "vbLf" && name != "vbCrLf")
                return std::nullopt;
            value += name == "vbCr" ? "\r" : name == "vbLf" ? "\n" : "\r\n";
            at = end;
        }
        at = code.find_first_not_of(' ', at);
        if (at == kNone)
            return value;
        if (code[at++] != '&')
            return std::nullopt;
    }
}

// What a block of Response.Write statements writes.
std::optional<std::string> blockWrites(std::string_view code)
{
    std::string written;
    const std::size_t end = code.find_last_not_of(" \r\n");
    code = code.substr(0, end == kNone ? 0 : end + 1);
    for (std::size_t at = code.find_first_not_of(" \r\n:"); at != kNone; at = code.find_first_not_of(" \r\n:", at)) {
        if (!code.substr(at).starts_with("Response.Write"))
            return std::nullopt;
        at += 13;
        const std::size_t next = std::min(code.find(" : ", at), code.size());
        std::string_view argument = code.substr(at, next - at);
        if (argument.starts_with('(') && argument.ends_with(')'))
            argument = argument.substr(1, argument.size() - 2);
        const std::optional<std::string> value = expressionValue(argument);
        if (!value)
            return std::nullopt;
        written += *value;
        at = next;
    }
    return written;
}

// What a page of text, Response.Write and <%= %> of literals prints, when
// a plain model can tell.
std::optional<std::string> plainlyPrinted(std::string_view page)
{
    std::string printed;
    std::size_t at = 0;
    for (std::size_t open; (open = page.find("<%", at)) != kNone;) {
        if (!plainText(page.substr(at, open - at)))
            return std::nullopt;
        printed += page.substr(at, open - at);
        const std::size_t close = page.find("%>", open + 2);
        if (close == kNone)
            return std::nullopt;
        at = close + 2;
        const std::string_view code = page.substr(open + 2, close - open - 2);
        const std::optional<std::string> value = code.starts_with('=') ? expressionValue(code.substr(1)) : blockWrites(code);
        if (!value)
            return std::nullopt;
        printed += *value;
    }
    if (!plainText(page.substr(at)))
        return std::nullopt;
    return printed.append(page.substr(at));
}

// The text as literals joined by &: line breaks as constants, and "%>"
// cut in two, as ASP would end the block there even in a string.
std::string expressionOf(std::string_view text)
{
    std::vector<std::string> operands;
    std::string literal;
    const auto flush = [&] {
        if (!literal.empty())
            operands.push_back('"' + literal + '"');
        literal.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            flush();
            operands.push_back(text[i] == '\r' ? "vbCr" : "vbLf");
            continue;
        }
        if (text[i] == '>' && i > 0 && text[i - 1] == '%')
            flush();
        literal += text[i] == '"' ? std::string("\"\"") : std::string(1, text[i]);
    }
    flush();
    std::string expression = operands.empty() ? "\"\"" : operands[0];
    for (std::size_t i = 1; i < operands.size(); ++i)
        expression.append(" & ").append(operands[i]);
    return expression;
}

// A page printing the text, in pieces of random sizes: as text where it
// holds no "<%", else by a write of a literal; blank blocks between now
// and then.
std::string pagePrinting(std::string_view text)
{
    std::mt19937_64 random(std::hash<std::string_view>{}(text));
    std::string page;
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, 1 + random() % 12);
        text.remove_prefix(piece.size());
        const unsigned form = random() % 5;
        const bool asText = piece.find("<%") == kNone && !(page.ends_with('<') && piece.starts_with('%'));
        if (form < 2 && asText)
            page.append(piece).append(form == 1 ? "<% %>" : "");
        else if (form == 2)
            page.append("<%= ").append(expressionOf(piece)).append(" %>");
        else if (form == 3)
            page.append("<% Response.Write ").append(expressionOf(piece)).append(" %>");
        else
            page.append("<%\r\nResponse.Write(").append(expressionOf(piece)).append(")\r\n%>");
    }
    return page;
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page = fuzz::pageFrom(data, size, kPieces);
    if (size % 4 == 1)  // on a quarter of the inputs, and their start: for speed
        fuzz::checkTemplatePrintsTheSame(std::string_view(page).substr(0, 32), pagePrinting,
                                         [](std::string_view p) { return tagora::aspTemplate(p); }, plainlyPrinted);
    const auto copy = fuzz::exactCopy(std::string_view(page));
    const auto result = tagora::aspTemplate(std::string_view(copy.get(), page.size()));
    if (const auto* error = std::get_if<tagora::ScriptReadError>(&result)) {
        fuzz::checkPlace(*error, page);
        return 0;
    }
    const std::string& templ = std::get<std::string>(result);
    const auto again = tagora::aspTemplate(templ);
    FUZZ_CHECK(std::holds_alternative<std::string>(again));
    FUZZ_CHECK(std::get<std::string>(again) == templ);
    // Where its code would change meaning in another encoding: places of
    // the template, in order.
    std::size_t line = 1;
    for (const tagora::ScriptReadError& place : tagora::aspCodeBeyondAscii(templ, 8)) {
        FUZZ_CHECK(place.line >= line && place.line <= fuzz::lineCount(templ) && place.column >= 1);
        line = place.line;
    }
    return 0;
}
