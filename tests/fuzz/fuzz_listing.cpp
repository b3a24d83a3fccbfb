// Fuzzes the window's character-code listing against the Windows-1252 code
// page, written out in reference.h from its published mapping: each code
// unit lists as one space and its code, 63 when the code page lacks it.
// The UTF-8 listing is fuzzed with the other input forms (fuzz_input_text).
#include "character_listing.h"
#include "fuzz_check.h"
#include "reference.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkListing(const std::u16string& text)
{
    const auto buffer = fuzz::exactCopy(std::u16string_view(text));
    const std::u16string listing = tagora::characterCodeListing(std::u16string_view(buffer.get(), text.size()));
    const std::string expected = fuzz::listing(text);
    FUZZ_CHECK(listing == std::u16string(expected.begin(), expected.end()));
}

bool everyCodeUnitChecked()
{
    std::u16string everyUnit;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
        everyUnit.push_back(char16_t(unit));
    checkListing(everyUnit);
    return true;
}

}  // namespace

// Two bytes make one code unit, high byte first; an odd last byte stands
// for itself, so short inputs are plain ASCII.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    [[maybe_unused]] static const bool tableChecked = everyCodeUnitChecked();
    std::u16string text;
    for (std::size_t i = 0; i < size; i += 2)
        text.push_back(i + 1 < size ? char16_t(data[i] << 8 | data[i + 1]) : data[i]);
    checkListing(text);
    return 0;
}
