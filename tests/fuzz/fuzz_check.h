// Shared by the fuzz harnesses: a failed invariant prints what broke and
// aborts, which libFuzzer and the corpus replay both report as a failure.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#define FUZZ_CHECK(condition) ((condition) ? void() : fuzz::fail(__FILE__, __LINE__, #condition))

namespace fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: invariant failed: %s\n", file, line, condition);
    std::abort();
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

}  // namespace fuzz
