// The scans of plain_text_scan.h written once over the operations of a
// SIMD form (byte_scan.h's forms, and the AVX2 and SSE4.2 forms that
// plain_text_avx2.cpp and plain_text_sse42.cpp compile on their own). This
// header is compiled for several instruction sets, so everything in it
// stays local to each file that includes it (an unnamed namespace): no
// function compiled for AVX2 may stand in for another file's copy.
#pragma once

#include <cstddef>

namespace tagora::plain_text {

// The same answer a byte at a time (plain_text_scan.cpp), compiled for
// every processor.
bool isPlainTextOneByOne(const unsigned char* bytes, std::size_t size);

namespace {

// For the bytes at i, with the whole of bytes[0, size) known: an LF with
// no CR before it, a CR with no LF after it, or the last byte of U+2029
// (E2 80 A9), U+FDD0 or U+FDD1 (EF B7 90, EF B7 91).
inline bool changesAt(const unsigned char* bytes, std::size_t size, std::size_t i)
{
    const unsigned char byte = bytes[i];
    if (byte == '\n')
        return i == 0 || bytes[i - 1] != '\r';
    if (byte == '\r')
        return i + 1 == size || bytes[i + 1] != '\n';
    if (i < 2)
        return false;
    return (byte == 0xA9 && bytes[i - 1] == 0x80 && bytes[i - 2] == 0xE2)
        || ((byte | 1) == 0x91 && bytes[i - 1] == 0xB7 && bytes[i - 2] == 0xEF);
}

inline bool leavesAsItIsPlain(const unsigned char* bytes, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        if (changesAt(bytes, size, i))
            return false;
    }
    return true;
}

// For each byte of the block at p (p - 2 and p - 1 are read too): an LF
// with no CR before it, a byte other than LF after a CR, the last byte of
// U+2029, U+FDD0 or U+FDD1.
template <class Form>
[[gnu::always_inline]] inline typename Form::Block changingLanes(const unsigned char* p)
{
    using F = Form;
    const auto block = F::load(p);
    const auto before = F::load(p - 1);
    const auto twoBefore = F::load(p - 2);
    const auto unpaired = F::differ(F::template equal<unsigned char>(block, F::template splat<unsigned char>('\n')),
                                    F::template equal<unsigned char>(before, F::template splat<unsigned char>('\r')));
    const auto separator = F::both(F::template equal<unsigned char>(block, F::template splat<unsigned char>(0xA9)),
                                   F::both(F::template equal<unsigned char>(before, F::template splat<unsigned char>(0x80)),
                                           F::template equal<unsigned char>(twoBefore, F::template splat<unsigned char>(0xE2))));
    const auto oddOne = F::either(block, F::template splat<unsigned char>(1));
    const auto noncharacter = F::both(F::template equal<unsigned char>(oddOne, F::template splat<unsigned char>(0x91)),
                                      F::both(F::template equal<unsigned char>(before, F::template splat<unsigned char>(0xB7)),
                                              F::template equal<unsigned char>(twoBefore, F::template splat<unsigned char>(0xEF))));
    return F::either(unpaired, F::either(separator, noncharacter));
}

// leavesAsItIs() a block at a time: the first two bytes one by one (no
// block can look before them), a CR at the very end, and blocks from the
// third byte on, the last of them ending at the end (over bytes already
// looked at).
template <class Form>
bool leavesAsItIsInBlocks(const unsigned char* bytes, std::size_t size)
{
    constexpr std::size_t width = sizeof(typename Form::Block);
    if (size < width + 2)
        return leavesAsItIsPlain(bytes, size);
    if (changesAt(bytes, size, 0) || changesAt(bytes, size, 1) || bytes[size - 1] == '\r')
        return false;
    std::size_t p = 2;
    for (; p + width <= size; p += width) {
        if (Form::bits(changingLanes<Form>(bytes + p)) != 0)
            return false;
    }
    return p == size || Form::bits(changingLanes<Form>(bytes + size - width)) == 0;
}

// UTF-8 validation and the line-break scan in one pass.
//
// Validation follows Keiser and Lemire, "Validating UTF-8 in less than one
// instruction per byte" (2021): three table lookups on the nibbles of a
// byte and of the byte before it flag every ill-formed pair of bytes, and
// the byte two or three before tells where a continuation byte must come.
// Each error kind is one bit of the tables.
namespace utf8_error {
constexpr unsigned char kTooShort = 1 << 0;      // a lead byte, then no continuation
constexpr unsigned char kTooLong = 1 << 1;       // ASCII, then a continuation
constexpr unsigned char kOverlong3 = 1 << 2;     // E0 80..9F
constexpr unsigned char kTooLarge = 1 << 3;      // F4 90..BF, F5..FF
constexpr unsigned char kSurrogate = 1 << 4;     // ED A0..BF
constexpr unsigned char kOverlong2 = 1 << 5;     // C0, C1
constexpr unsigned char kTooLarge1000 = 1 << 6;  // F5..FF 80..8F
constexpr unsigned char kOverlong4 = 1 << 6;     // F0 80..8F
constexpr unsigned char kTwoContinuations = 1 << 7;
constexpr unsigned char kCarried = kTooShort | kTooLong | kTwoContinuations;

// By the high nibble of the byte before.
constexpr unsigned char kFirstHigh[16] = {
    kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
    kTwoContinuations, kTwoContinuations, kTwoContinuations, kTwoContinuations,
    kTooShort | kOverlong2,
    kTooShort,
    kTooShort | kOverlong3 | kSurrogate,
    kTooShort | kTooLarge | kTooLarge1000 | kOverlong4,
};
// By the low nibble of the byte before.
constexpr unsigned char kFirstLow[16] = {
    kCarried | kOverlong3 | kOverlong2 | kOverlong4,
    kCarried | kOverlong2,
    kCarried,
    kCarried,
    kCarried | kTooLarge,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000 | kSurrogate,
    kCarried | kTooLarge | kTooLarge1000,
    kCarried | kTooLarge | kTooLarge1000,
};
// By the high nibble of the byte itself.
constexpr unsigned char kSecondHigh[16] = {
    kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge1000 | kOverlong4,
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge,
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
    kTooShort, kTooShort, kTooShort, kTooShort,
};
}  // namespace utf8_error

// The block at p and the three before it, each read once.
template <class Form>
struct Neighbours {
    typename Form::Block block, before, twoBefore, threeBefore;

    [[gnu::always_inline]] explicit Neighbours(const unsigned char* p)
        : block(Form::load(p)), before(Form::load(p - 1)), twoBefore(Form::load(p - 2)), threeBefore(Form::load(p - 3))
    {
    }
};

// Nonzero lanes where a byte is not where UTF-8 allows it, given the
// three bytes before.
template <class Form>
[[gnu::always_inline]] inline typename Form::Block utf8ErrorLanes(const Neighbours<Form>& bytes)
{
    using F = Form;
    const auto special = F::both(F::lookup(utf8_error::kFirstHigh, F::highNibbles(bytes.before)),
                                 F::both(F::lookup(utf8_error::kFirstLow, F::lowNibbles(bytes.before)),
                                         F::lookup(utf8_error::kSecondHigh, F::highNibbles(bytes.block))));
    // The top bit is set where the byte two before starts three bytes or
    // more, or the byte three before starts four.
    const auto thirdByte = F::saturatingMinus(bytes.twoBefore, F::template splat<unsigned char>(0xE0 - 0x80));
    const auto fourthByte = F::saturatingMinus(bytes.threeBefore, F::template splat<unsigned char>(0xF0 - 0x80));
    const auto mustContinue = F::both(F::either(thirdByte, fourthByte), F::template splat<unsigned char>(0x80));
    return F::differ(mustContinue, special);
}

// The last bytes of U+2029 (E2 80 A9), U+FDD0 and U+FDD1 (EF B7 90, 91).
template <class Form>
[[gnu::always_inline]] inline typename Form::Block changedCharacterLanes(const Neighbours<Form>& bytes)
{
    using F = Form;
    const auto separator = F::both(F::template equal<unsigned char>(bytes.block, F::template splat<unsigned char>(0xA9)),
                                   F::both(F::template equal<unsigned char>(bytes.before, F::template splat<unsigned char>(0x80)),
                                           F::template equal<unsigned char>(bytes.twoBefore, F::template splat<unsigned char>(0xE2))));
    const auto oddOne = F::either(bytes.block, F::template splat<unsigned char>(1));
    const auto noncharacter = F::both(F::template equal<unsigned char>(oddOne, F::template splat<unsigned char>(0x91)),
                                      F::both(F::template equal<unsigned char>(bytes.before, F::template splat<unsigned char>(0xB7)),
                                              F::template equal<unsigned char>(bytes.twoBefore, F::template splat<unsigned char>(0xEF))));
    return F::either(separator, noncharacter);
}

// Whether the block at p (p - 3 to p - 1 are read) is well-formed UTF-8
// and its own input text, as far as these bytes tell. ASCII throughout,
// the three bytes before included, needs only the line-break compares.
template <class Form>
[[gnu::always_inline]] inline bool blockIsPlainText(const unsigned char* p)
{
    using F = Form;
    const Neighbours<Form> bytes(p);
    const auto unpaired = F::differ(F::template equal<unsigned char>(bytes.block, F::template splat<unsigned char>('\n')),
                                    F::template equal<unsigned char>(bytes.before, F::template splat<unsigned char>('\r')));
    if (F::bits(F::either(bytes.block, bytes.threeBefore)) == 0)
        return F::bits(unpaired) == 0;
    return F::bits(F::either(unpaired, changedCharacterLanes<Form>(bytes))) == 0 && F::isZero(utf8ErrorLanes<Form>(bytes));
}

// Bytes that end inside a character.
inline bool endsInsideCharacter(const unsigned char* bytes, std::size_t size)
{
    return (size >= 1 && bytes[size - 1] >= 0xC0) || (size >= 2 && bytes[size - 2] >= 0xE0)
        || (size >= 3 && bytes[size - 3] >= 0xF0);
}

// isValidUtf8() && leavesAsItIs() in one pass, a block at a time: the
// first block from a copy after three zero bytes (as if text came before
// that ends between characters, with no CR), the blocks after it in
// place, the last of them ending at the end (over bytes already looked
// at). Shorter bytes are looked at one by one.
template <class Form>
bool isPlainTextInBlocks(const unsigned char* bytes, std::size_t size)
{
    constexpr std::size_t width = sizeof(typename Form::Block);
    if (size < width + 3)  // the last block must have three bytes before it
        return isPlainTextOneByOne(bytes, size);
    if (bytes[size - 1] == '\r' || endsInsideCharacter(bytes, size))
        return false;
    unsigned char first[width + 3] = {};
    for (std::size_t i = 0; i < width; ++i)
        first[i + 3] = bytes[i];
    if (!blockIsPlainText<Form>(first + 3))
        return false;
    std::size_t p = width;
    for (; p + width <= size; p += width) {
        if (!blockIsPlainText<Form>(bytes + p))
            return false;
    }
    return p == size || blockIsPlainText<Form>(bytes + size - width);
}

}  // namespace
}  // namespace tagora::plain_text
