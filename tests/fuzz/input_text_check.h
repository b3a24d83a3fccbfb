// Feeds a text cut into blocks to every form of the input text rules that
// the program has (the UTF-8 decoder, with and without dropping a leading
// byte-order mark, and the window's 16-bit form), to the UTF-8 validator
// and to both character-code listings, and compares each with the plain
// references of reference.h.
#pragma once

#include "character_listing.h"
#include "input_text.h"
#include "reference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Block sizes for a text of the given size, drawn from the seed: blocks of
// at most 4, 20 or 80 bytes, or the whole text at once.
inline std::vector<std::size_t> blockSizes(unsigned seed, std::size_t textSize)
{
    static constexpr std::size_t kLongest[4] = {4, 20, 80, 0};
    const std::size_t longest = kLongest[seed & 3] > 0 ? kLongest[seed & 3] : std::max<std::size_t>(textSize, 1);
    std::vector<std::size_t> sizes;
    std::uint32_t state = seed;
    for (std::size_t total = 0; total < textSize; total += sizes.back()) {
        state = state * 1103515245u + 12345u;
        sizes.push_back(std::min(textSize - total, 1 + (state >> 16) % longest));
    }
    return sizes;
}

// The text cut into blocks of the given sizes (and a last one with what
// is left), each in a heap block of exactly its size, so that the
// sanitizer build sees any read beyond it.
using Blocks = std::vector<std::vector<char>>;

inline Blocks cut(std::string_view text, const std::vector<std::size_t>& sizes)
{
    Blocks blocks;
    for (std::size_t i = 0; !text.empty(); ++i) {
        const std::string_view block = text.substr(0, i < sizes.size() ? sizes[i] : text.size());
        blocks.emplace_back(block.begin(), block.end());
        text.remove_prefix(block.size());
    }
    return blocks;
}

inline std::string_view view(const std::vector<char>& block)
{
    return {block.data(), block.size()};
}

inline std::string offsetMismatch(const char* form, std::uint64_t offset, std::size_t expected)
{
    if (offset == expected)
        return {};
    return std::string(form) + ": ill-formed at " + std::to_string(offset) + " instead of "
        + (expected == std::string_view::npos ? "nowhere" : std::to_string(expected));
}

inline std::string decoderMismatch(const Blocks& blocks, std::size_t firstInvalid, const std::string& expected,
                                   bool dropByteOrderMark)
{
    tagora::Utf8InputDecoder decoder(dropByteOrderMark);
    std::string text;
    for (const auto& block : blocks) {
        const auto out = std::make_unique<char[]>(tagora::Utf8InputDecoder::maxFeedSize(block.size()));
        const auto piece = decoder.decode(view(block), out.get());
        if (!piece)
            return offsetMismatch("decoder", decoder.errorOffset(), firstInvalid);
        text += *piece;
    }
    if (!decoder.finish())
        return offsetMismatch("decoder", decoder.errorOffset(), firstInvalid);
    if (firstInvalid != std::string_view::npos)
        return "decoder: ill-formed text accepted";
    return text == expected ? std::string() : "decoder: wrong text";
}

inline std::string validatorMismatch(const Blocks& blocks, std::size_t firstInvalid)
{
    tagora::Utf8Validator validator;
    bool wellFormed = true;
    for (std::size_t i = 0; i < blocks.size() && wellFormed; ++i)
        wellFormed = validator.feed(view(blocks[i]));
    if (!wellFormed || !validator.finish())
        return offsetMismatch("validator", validator.errorOffset(), firstInvalid);
    return firstInvalid == std::string_view::npos ? std::string() : "validator: ill-formed text accepted";
}

inline std::string listingMismatch(const Blocks& blocks, const std::string& expected)
{
    tagora::Utf8CodeListing listing;
    std::string codes;
    for (const auto& block : blocks) {
        const auto out = std::make_unique<char[]>(tagora::Utf8CodeListing::maxFeedSize(block.size()));
        codes.append(out.get(), listing.feed(view(block), out.get()));
    }
    const auto out = std::make_unique<char[]>(16);
    codes.append(out.get(), listing.finish(out.get()));
    return codes == expected ? std::string() : "listing: wrong codes";
}

// The window's forms: the input text rules and the listing of 16-bit text.
inline std::string window16Mismatch(const std::u16string& text)
{
    const std::u16string codes = tagora::characterCodeListing(text);
    if (std::string(codes.begin(), codes.end()) != listing(text))
        return "16-bit listing: wrong codes";
    const std::size_t size = tagora::normalizedInputSize(text);
    const auto out = std::make_unique<char16_t[]>(size);
    const char16_t* const end = tagora::normalizeInputText(text, out.get());
    if (std::u16string_view(out.get(), static_cast<std::size_t>(end - out.get())) != inputText(text))
        return "16-bit form: wrong text";
    return end - out.get() == static_cast<std::ptrdiff_t>(size) ? std::string() : "16-bit form: wrong size";
}

// Every 16-bit code unit, listed: the whole Windows-1252 table.
inline std::string codeTableMismatch()
{
    std::u16string everyUnit;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
        everyUnit.push_back(char16_t(unit));
    return window16Mismatch(everyUnit);
}

// What the program's forms get wrong with the text cut into blocks of the
// given sizes: the first mismatch, or an empty string.
inline std::string inputTextMismatch(std::string_view text, const std::vector<std::size_t>& sizes)
{
    static const std::string tableMismatch = codeTableMismatch();
    if (!tableMismatch.empty())
        return tableMismatch;
    const Blocks blocks = cut(text, sizes);
    const Decoded decoded = decodeUtf8(text);
    const bool wellFormed = decoded.firstInvalid == std::string_view::npos;
    const std::string expected = wellFormed ? inputText(text) : std::string();
    const std::string withMark = wellFormed ? encodeUtf8(inputText(decoded.text)) : std::string();
    for (std::string mismatch : {decoderMismatch(blocks, decoded.firstInvalid, expected, true),
                                 decoderMismatch(blocks, decoded.firstInvalid, withMark, false),
                                 validatorMismatch(blocks, decoded.firstInvalid),
                                 listingMismatch(blocks, listing(text)),
                                 wellFormed ? window16Mismatch(decoded.text) : std::string()}) {
        if (!mismatch.empty())
            return mismatch;
    }
    return {};
}

}  // namespace fuzz
