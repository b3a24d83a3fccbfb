// Shared by the fuzz harnesses: a failed invariant prints what broke and
// aborts, which libFuzzer and the corpus replay both report as a failure.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#define FUZZ_CHECK(condition) ((condition) ? void() : fuzz::fail(__FILE__, __LINE__, #condition))

namespace fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: invariant failed: %s\n", file, line, condition);
    std::abort();
}

// A page that prints `text` by the harness's own means (makePage) gives a
// template, by the reader under test (readTemplate), that prints the same
// in the harness's plain model of the server (printed); pages the model
// cannot tell are skipped.
template <class MakePage, class ReadTemplate, class Printed>
void checkTemplatePrintsTheSame(std::string_view text, MakePage makePage, ReadTemplate readTemplate, Printed printed)
{
    const std::string page = makePage(text);
    const std::optional<std::string> byPage = printed(page);
    if (!byPage)
        return;
    const auto result = readTemplate(page);
    FUZZ_CHECK(std::holds_alternative<std::string>(result));
    const std::optional<std::string> byTemplate = printed(std::get<std::string>(result));
    FUZZ_CHECK(byTemplate && *byTemplate == *byPage);
}

// A copy of the text in a heap block of exactly its size, with no
// terminating NUL after it, so that the sanitizer build sees any read one
// past the end of the text.
template <class Char>
std::unique_ptr<Char[]> exactCopy(std::basic_string_view<Char> text)
{
    auto copy = std::make_unique<Char[]>(text.size());
    std::copy(text.begin(), text.end(), copy.get());
    return copy;
}

// A page of the fuzzer's bytes: those below 0xE0 stand for themselves
// (any 8-bit encoding), the top 32 for the pieces of a language.
inline std::string pageFrom(const std::uint8_t* data, std::size_t size, const std::string_view (&pieces)[32])
{
    std::string page;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xE0)
            page += pieces[data[i] - 0xE0];
        else
            page += char(data[i]);
    }
    return page;
}

// Lines end at CR LF, LF or CR.
inline std::size_t lineCount(std::string_view page)
{
    std::size_t lines = 1;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\n' || (page[i] == '\r' && (i + 1 == page.size() || page[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

// A place a reader reports: a line and column of the page, and a message.
template <class Error>
void checkPlace(const Error& error, std::string_view page)
{
    FUZZ_CHECK(error.line >= 1 && error.line <= lineCount(page));
    FUZZ_CHECK(error.column >= 1 && error.column <= page.size() + 1);
    FUZZ_CHECK(!error.message.empty());
}

}  // namespace fuzz
