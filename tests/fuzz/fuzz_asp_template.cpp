// Fuzzes legacy ASP pages to templates. A template holds no Response.Write
// and no text that ASP would read as code, so read again it must come back
// unchanged; an error must point at a line and column of the page.
#include "script_reader/asp_template.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Bytes below 0xE0 stand for themselves (any 8-bit encoding); the top 32
// for the pieces of ASP and VBScript the converter reads.
constexpr std::string_view kPieces[32] = {
    "<%", "%>", "<%=", "Response.Write ", "\"", " & ", "vbCrLf", "If x Then ",
    " Else ", " End If", " : ", " _\r\n", "' c", "Chr(60)", "(", ")",
    "\r\n", "<!-- #", "<script runat=server>", "With Response\r\n", ".Write ", "Sub S\r\n", "End Sub",
    "On Error Resume Next\r\n", " + ", "Call ", ", ", "\"\"", "Rem ", "End With", "%", "<",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page = fuzz::pageFrom(data, size, kPieces);
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
