#include "character_listing.h"

#include <array>
#include <cstddef>

namespace tagora {
namespace {

constexpr int kUnmappable = 63;  // "?"

// Windows-1252 places these characters at 0x80-0x9F.
struct Cp1252Extra {
    char16_t unicode;
    int code;
};
constexpr std::array<Cp1252Extra, 27> kExtras{{
    {u'\u20AC', 128}, {u'\u201A', 130}, {u'\u0192', 131}, {u'\u201E', 132}, {u'\u2026', 133},
    {u'\u2020', 134}, {u'\u2021', 135}, {u'\u02C6', 136}, {u'\u2030', 137}, {u'\u0160', 138},
    {u'\u2039', 139}, {u'\u0152', 140}, {u'\u017D', 142}, {u'\u2018', 145}, {u'\u2019', 146},
    {u'\u201C', 147}, {u'\u201D', 148}, {u'\u2022', 149}, {u'\u2013', 150}, {u'\u2014', 151},
    {u'\u02DC', 152}, {u'\u2122', 153}, {u'\u0161', 154}, {u'\u203A', 155}, {u'\u0153', 156},
    {u'\u017E', 158}, {u'\u0178', 159},
}};

// The five code points Windows-1252 leaves undefined map to themselves.
constexpr bool isPassThroughControl(char16_t ch)
{
    return ch == 0x81 || ch == 0x8D || ch == 0x8F || ch == 0x90 || ch == 0x9D;
}

using DecimalTexts = std::array<std::u16string, 256>;

const DecimalTexts& decimalTexts()
{
    static const DecimalTexts texts = [] {
        DecimalTexts result;
        for (int code = 0; code < 256; ++code) {
            const std::string digits = std::to_string(code);
            result[static_cast<std::size_t>(code)].assign(digits.begin(), digits.end());
        }
        return result;
    }();
    return texts;
}

}  // namespace

int windows1252Code(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF) || isPassThroughControl(ch))
        return ch;
    for (const Cp1252Extra& extra : kExtras) {
        if (extra.unicode == ch)
            return extra.code;
    }
    return kUnmappable;
}

std::u16string characterCodeListing(std::u16string_view text)
{
    const DecimalTexts& decimals = decimalTexts();
    std::u16string listing;
    listing.reserve(text.size() * 4);
    for (const char16_t ch : text) {
        listing.push_back(u' ');
        listing.append(decimals[static_cast<std::size_t>(windows1252Code(ch))]);
    }
    return listing;
}

}  // namespace tagora
