// The scan of plain_text.h written once over the operations of a SIMD form
// (byte_scan.h's forms, and the AVX2 form that plain_text_avx2.cpp
// compiles on its own). Only builtins here: this header is compiled for
// several instruction sets, and nothing it defines may be shared between
// them.
#pragma once

#include <cstddef>

namespace tagora::plain_text {

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

}  // namespace tagora::plain_text
