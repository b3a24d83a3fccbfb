#include "input_text/character_listing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

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

// One listing entry: a space and the decimal code, at most four
// characters, padded so that every entry can be copied as four.
template <class CharT>
struct Entry {
    std::array<CharT, 4> text{};
    std::size_t length = 0;
};
template <class CharT>
using Entries = std::array<Entry<CharT>, 256>;

template <class CharT>
const Entries<CharT>& listingEntries()
{
    static const Entries<CharT> table = [] {
        Entries<CharT> result;
        for (std::size_t code = 0; code < result.size(); ++code) {
            const std::string digits = ' ' + std::to_string(code);
            std::copy(digits.begin(), digits.end(), result[code].text.begin());
            result[code].length = digits.size();
        }
        return result;
    }();
    return table;
}

// The Windows-1252 code of every UTF-16 code unit: the code points of
// Latin-1 and the five it leaves undefined are their own codes, 27 others
// have a code of 0x80-0x9F, and all else is unmappable.
using CodeTable = std::array<std::uint8_t, 0x10000>;

const CodeTable& codeTable()
{
    static const CodeTable table = [] {
        CodeTable result;
        result.fill(kUnmappable);
        for (char16_t ch = 0; ch < 0x100; ++ch) {
            if (ch < 0x80 || ch >= 0xA0 || isPassThroughControl(ch))
                result[ch] = static_cast<std::uint8_t>(ch);
        }
        for (const Cp1252Extra& extra : kExtras)
            result[extra.unicode] = static_cast<std::uint8_t>(extra.code);
        return result;
    }();
    return table;
}

template <class CharT>
struct Tables {
    const CodeTable& codes = codeTable();
    const Entries<CharT>& entries = listingEntries<CharT>();

    const Entry<CharT>& entryOf(char16_t ch) const { return entries[codes[ch]]; }
    CharT* put(char16_t ch, CharT* out) const
    {
        const Entry<CharT>& entry = entryOf(ch);
        std::copy(entry.text.begin(), entry.text.end(), out);
        return out + entry.length;
    }
};

std::size_t listingSize(std::u16string_view text, const Tables<char16_t>& tables)
{
    std::size_t size = 0;
    for (const char16_t ch : text)
        size += tables.entryOf(ch).length;
    return size;
}

}  // namespace

// Sized exactly beforehand; the entries are gathered in a small buffer and
// appended a few thousand characters at a time.
std::u16string characterCodeListing(std::u16string_view text)
{
    constexpr std::size_t kChunk = 2048;
    const Tables<char16_t> tables;
    std::u16string listing;
    listing.reserve(listingSize(text, tables));
    std::array<char16_t, kChunk + 4> chunk;
    std::size_t used = 0;
    for (const char16_t ch : text) {
        const Entry<char16_t>& entry = tables.entryOf(ch);
        std::copy(entry.text.begin(), entry.text.end(), chunk.begin() + used);
        used += entry.length;
        if (used >= kChunk) {
            listing.append(chunk.data(), used);
            used = 0;
        }
    }
    listing.append(chunk.data(), used);
    return listing;
}

namespace {

constexpr char16_t kUnmappableUnit = 0xFFFF;  // not in the code page

// A code point as the window holds it: one code unit, or two, both
// unmappable.
char* putCodePoint(char32_t codePoint, char* out, const Tables<char>& tables)
{
    if (codePoint < 0x10000)
        return tables.put(static_cast<char16_t>(codePoint), out);
    out = tables.put(kUnmappableUnit, out);
    return tables.put(kUnmappableUnit, out);
}

// What the reader hands the listing, listed at out.
struct CodeWriter {
    char* out;
    Tables<char> tables;  // a copy, so that its references stay in registers

    std::size_t run(const unsigned char* bytes, std::size_t size)
    {
        std::size_t i = 0;
        for (; i < size && bytes[i] < 0x80; ++i)
            out = tables.put(bytes[i], out);
        return i;
    }

    void character(const utf8::Sequence& sequence, const unsigned char*)
    {
        out = putCodePoint(sequence.codePoint, out, tables);
    }

    // Each byte of an ill-formed sequence, or of one the text ends inside,
    // lists as 63.
    bool invalid(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            out = tables.put(kUnmappableUnit, out);
        return true;
    }
};

}  // namespace

char* Utf8CodeListing::feed(std::string_view block, char* out)
{
    CodeWriter writer{out, {}};
    m_reader.feed(block, writer);
    return writer.out;
}

char* Utf8CodeListing::finish(char* out)
{
    CodeWriter writer{out, {}};
    m_reader.finish(writer);
    return writer.out;
}

}  // namespace tagora
