// Fuzzes hand-written JSP pages to templates, and the telling of a page's
// language. A template holds no print statement that the converter turns
// into text, and no text that a container would read as code, so read
// again it must come back unchanged; an error must point at a line and
// column of the page.
#include "script_reader/jsp_template.h"
#include "script_reader/script_language.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page = fuzz::pageFrom(data, size, kPieces);
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
