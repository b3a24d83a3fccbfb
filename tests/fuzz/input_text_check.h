// Feeds a text cut into blocks to every form of the input text rules that
// the program has (the UTF-8 decoder, with and without dropping a leading
// byte-order mark, and the window's 16-bit form), to the UTF-8 validator
// and to both character-code listings, and compares each with the plain
// references of reference.h.
#pragma once

#include "input_text/character_listing.h"
#include "input_text/input_text.h"
#include "input_text/plain_text_scan.h"
#include "reference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
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

// What a form gives where the text is ill-formed: no text, the offset.
inline std::string illFormedAt(std::uint64_t offset)
{
    return "\xFF ill-formed at " + std::to_string(offset);
}

inline std::string decoded(const Blocks& blocks, bool dropByteOrderMark)
{
    tagora::Utf8InputDecoder decoder(dropByteOrderMark);
    std::string text;
    for (const auto& block : blocks) {
        std::vector<char> out(tagora::Utf8InputDecoder::maxFeedSize(block.size()));
        const auto piece = decoder.decode(view(block), out.data());
        if (!piece)
            return illFormedAt(decoder.errorOffset());
        text += *piece;
    }
    return decoder.finish() ? text : illFormedAt(decoder.errorOffset());
}

inline std::string validated(const Blocks& blocks)
{
    tagora::Utf8Validator validator;
    for (const auto& block : blocks) {
        if (!validator.feed(view(block)))
            return illFormedAt(validator.errorOffset());
    }
    return validator.finish() ? std::string() : illFormedAt(validator.errorOffset());
}

inline std::string listed(const Blocks& blocks)
{
    tagora::Utf8CodeListing listing;
    std::string codes;
    for (const auto& block : blocks) {
        std::vector<char> out(tagora::Utf8CodeListing::maxFeedSize(block.size()));
        codes.append(out.data(), listing.feed(view(block), out.data()));
    }
    char end[16];
    return codes.append(end, listing.finish(end));
}

// The window's forms: the input text rules and the listing of 16-bit text.
inline bool window16Right(const std::u16string& text)
{
    const std::u16string codes = tagora::characterCodeListing(text);
    std::vector<char16_t> normalized(tagora::normalizedInputSize(text));  // exactly: the sanitizer sees beyond
    const char16_t* const end = tagora::normalizeInputText(text, normalized.data());
    return std::string(codes.begin(), codes.end()) == listing(text) && end == normalized.data() + normalized.size()
        && std::u16string_view(normalized.data(), normalized.size()) == inputText(text);
}

// Every 16-bit code unit at once: the whole Windows-1252 table.
inline bool codeTableRight()
{
    std::u16string everyUnit;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
        everyUnit.push_back(char16_t(unit));
    return window16Right(everyUnit);
}

// Every form of the scans that find text needing no change, on bytes in a
// heap block of exactly their size: each validator against the reference,
// each form of the line-break scan against the plain one and, on
// well-formed bytes, against the input text rules, and each form of both
// at once against the two. The first form that differs, or an empty
// string.
inline std::string plainTextFormsMismatch(std::string_view text)
{
    const std::vector<unsigned char> exact(text.begin(), text.end());
    const unsigned char* const bytes = exact.data();
    const Decoded reference = decodeUtf8(text);
    const bool wellFormed = reference.firstInvalid == std::string_view::npos;
    for (const auto& form : tagora::plain_text::validatorForms()) {
        if (form.isValidUtf8(bytes, exact.size()) != wellFormed)
            return "validator " + std::string(form.name) + " differs from the reference";
    }
    const auto forms = tagora::plain_text::scanForms();
    const bool plain = forms.back().leavesAsItIs(bytes, exact.size());
    if (wellFormed && plain != (encodeUtf8(inputText(std::u16string_view(reference.text))) == text))
        return "the plain line-break scan differs from the input text rules";
    for (const auto& form : forms) {
        if (form.leavesAsItIs(bytes, exact.size()) != plain)
            return "line-break scan " + std::string(form.name) + " differs from the plain one";
    }
    for (const auto& form : tagora::plain_text::plainTextForms()) {
        if (form.isPlainText(bytes, exact.size()) != (wellFormed && plain))
            return "joined scan " + std::string(form.name) + " differs from the reference and the plain scan";
    }
    return {};
}

// What the program's forms get wrong with the text cut into blocks of the
// given sizes: the first form that differs, or an empty string.
inline std::string inputTextMismatch(std::string_view text, const std::vector<std::size_t>& sizes)
{
    static const bool tableRight = codeTableRight();
    const Blocks blocks = cut(text, sizes);
    const Decoded reference = decodeUtf8(text);
    const bool wellFormed = reference.firstInvalid == std::string_view::npos;
    const std::string bad = wellFormed ? std::string() : illFormedAt(reference.firstInvalid);
    const std::pair<const char*, bool> forms[] = {
        {"16-bit forms, every code unit", tableRight},
        {"decoder", decoded(blocks, true) == (wellFormed ? inputText(text) : bad)},
        {"decoder keeping a mark", decoded(blocks, false) == (wellFormed ? encodeUtf8(inputText(reference.text)) : bad)},
        {"validator", validated(blocks) == bad},
        {"UTF-8 listing", listed(blocks) == listing(text)},
        {"16-bit forms", !wellFormed || window16Right(reference.text)},
    };
    for (const auto& [form, right] : forms) {
        if (!right)
            return std::string(form) + " differs from the reference";
    }
    return plainTextFormsMismatch(text);
}

}  // namespace fuzz
