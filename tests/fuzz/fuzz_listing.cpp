// Fuzzes the character-code listing against the Windows-1252 code page,
// written out here from its published mapping: each code unit lists as one
// space and its code, 63 when the code page lacks it.
#include "character_listing.h"
#include "fuzz_check.h"
#include "fuzz_utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Windows-1252 bytes 0x80-0x9F and the characters they stand for. The
// five bytes the code page's table leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) are the C1 controls of the same number in Windows' own
// conversion, which the program's ANSI code follows. Every other byte
// stands for the code point of the same number.
constexpr char16_t kSpecials[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

int expectedCode(char16_t unit)
{
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        if (kSpecials[byte - 0x80] == unit)
            return byte;
    }
    return unit <= 0x7F || (unit >= 0xA0 && unit <= 0xFF) ? unit : 63;
}

bool everyCodeUnitChecked()
{
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
        FUZZ_CHECK(tagora::windows1252Code(char16_t(unit)) == expectedCode(char16_t(unit)));
    return true;
}

}  // namespace

// Two bytes make one code unit, high byte first; an odd last byte stands
// for itself, so short inputs are plain ASCII.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    [[maybe_unused]] static const bool tableChecked = everyCodeUnitChecked();
    std::u16string text;
    std::string expected;
    for (std::size_t i = 0; i < size; i += 2) {
        text.push_back(i + 1 < size ? char16_t(data[i] << 8 | data[i + 1]) : data[i]);
        expected += ' ' + std::to_string(expectedCode(text.back()));
    }
    const auto buffer = fuzz::exactCopy(std::u16string_view(text));
    FUZZ_CHECK(tagora::characterCodeListing(std::u16string_view(buffer.get(), text.size()))
               == std::u16string(expected.begin(), expected.end()));
#ifdef TAGORA_FUZZ_UTF8_GENERATOR
    // The listing of the same text as UTF-8, when it holds no lone surrogate.
    const std::string utf8 = fuzz::encodeUtf8(text);
    if (fuzz::decodeUtf8(utf8).text == text) {
        const auto bytes = fuzz::exactCopy(std::string_view(utf8));
        FUZZ_CHECK(tagora::characterCodeListing(std::string_view(bytes.get(), utf8.size())) == expected);
    }
#endif
    return 0;
}
