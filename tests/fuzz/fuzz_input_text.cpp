// Fuzzes every form of the input text rules (the UTF-8 decoder, the
// window's 16-bit form), the UTF-8 validator and both character-code
// listings against the plain references: the first byte of an input
// chooses how the rest, the text, is cut into blocks.
#include "fuzz_check.h"
#include "input_text_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string mismatch = fuzz::inputTextMismatch(text, fuzz::blockSizes(data[0], text.size()));
    if (!mismatch.empty())
        std::fprintf(stderr, "%s\n", mismatch.c_str());
    FUZZ_CHECK(mismatch.empty());
    return 0;
}
