// Feeds a text cut into blocks to every form of the input text rules that
// the program has (the UTF-8 decoder, the check that says whether decoding
// changes nothing, the UTF-8 code listing, and the window's 16-bit form)
// and compares each with the plain references of reference.h.
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
class Blocks {
public:
    Blocks(std::string_view text, const std::vector<std::size_t>& sizes)
    {
        for (const std::size_t size : sizes) {
            if (!text.empty())
                add(text.substr(0, size));
            text.remove_prefix(std::min(size, text.size()));
        }
        if (!text.empty())
            add(text);
    }
    std::size_t count() const { return m_blocks.size(); }
    std::string_view operator[](std::size_t i) const { return {m_blocks[i].first.get(), m_blocks[i].second}; }

private:
    void add(std::string_view block)
    {
        m_blocks.emplace_back(std::make_unique<char[]>(block.size()), block.size());
        std::copy(block.begin(), block.end(), m_blocks.back().first.get());
    }

    std::vector<std::pair<std::unique_ptr<char[]>, std::size_t>> m_blocks;
};

inline std::string offsetMismatch(const char* form, std::uint64_t offset, std::size_t expected)
{
    if (offset == expected)
        return {};
    return std::string(form) + ": ill-formed at " + std::to_string(offset) + " instead of "
        + (expected == std::string_view::npos ? "nowhere" : std::to_string(expected));
}

inline std::string decoderMismatch(const Blocks& blocks, std::size_t firstInvalid, const std::string& expected)
{
    tagora::Utf8InputDecoder decoder;
    std::string text;
    for (std::size_t i = 0; i < blocks.count(); ++i) {
        const auto out = std::make_unique<char[]>(tagora::Utf8InputDecoder::maxFeedSize(blocks[i].size()));
        const auto piece = decoder.decode(blocks[i], out.get());
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

inline std::string checkMismatch(const Blocks& blocks, std::size_t firstInvalid, bool changesNothing)
{
    tagora::Utf8InputCheck check;
    bool wellFormed = true;
    for (std::size_t i = 0; i < blocks.count() && wellFormed; ++i)
        wellFormed = check.feed(blocks[i]);
    if (!wellFormed || !check.finish())
        return offsetMismatch("check", check.errorOffset(), firstInvalid);
    if (firstInvalid != std::string_view::npos)
        return "check: ill-formed text accepted";
    return check.changesNothing() == changesNothing ? std::string() : "check: wrong \"changes nothing\"";
}

inline std::string listingMismatch(const Blocks& blocks, const std::string& expected)
{
    tagora::Utf8CodeListing listing;
    std::string codes;
    for (std::size_t i = 0; i < blocks.count(); ++i) {
        const auto out = std::make_unique<char[]>(tagora::Utf8CodeListing::maxFeedSize(blocks[i].size()));
        codes.append(out.get(), listing.feed(blocks[i], out.get()));
    }
    const auto out = std::make_unique<char[]>(16);
    codes.append(out.get(), listing.finish(out.get()));
    return codes == expected ? std::string() : "listing: wrong codes";
}

inline std::string window16Mismatch(const std::u16string& text)
{
    const std::size_t size = tagora::normalizedInputSize(text);
    const auto out = std::make_unique<char16_t[]>(size);
    const char16_t* const end = tagora::normalizeInputText(text, out.get());
    if (std::u16string_view(out.get(), static_cast<std::size_t>(end - out.get())) != inputText(text))
        return "16-bit form: wrong text";
    return end - out.get() == static_cast<std::ptrdiff_t>(size) ? std::string() : "16-bit form: wrong size";
}

// What the program's forms get wrong with the text cut into blocks of the
// given sizes: the first mismatch, or an empty string.
inline std::string inputTextMismatch(std::string_view text, const std::vector<std::size_t>& sizes)
{
    const Blocks blocks(text, sizes);
    const Decoded decoded = decodeUtf8(text);
    const std::string expected = decoded.firstInvalid == std::string_view::npos ? inputText(text) : std::string();
    for (std::string mismatch : {decoderMismatch(blocks, decoded.firstInvalid, expected),
                                 checkMismatch(blocks, decoded.firstInvalid, expected == text),
                                 listingMismatch(blocks, listing(text)),
                                 decoded.firstInvalid == std::string_view::npos ? window16Mismatch(decoded.text)
                                                                                : std::string()}) {
        if (!mismatch.empty())
            return mismatch;
    }
    return {};
}

}  // namespace fuzz
