// The one scanning primitive of the engine: blocks of sixteen bytes
// compared at once, in three forms of the same few operations: SSE2 (x86),
// WebAssembly SIMD (the browser build, -msimd128) and plain C++ (anything
// else). The scans below are written once over those operations, and a
// test holds every form of each against a plain reference.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tagora::scan {

// The units (bytes, or UTF-16 code units) that stop a scan, known at
// compile time: up to sixteen named ones, and whole ranges.
struct Stops {
    char16_t units[16]{};
    std::size_t count = 0;
    bool beyondAscii = false;  // from 0x80 on
    bool controls = false;     // below a space
    bool surrogates = false;   // 0xD800 to 0xDFFF

    constexpr bool has(char16_t unit) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (units[i] == unit)
                return true;
        }
        return (beyondAscii && unit >= 0x80) || (controls && unit < 0x20)
            || (surrogates && unit >= 0xD800 && unit <= 0xDFFF);
    }
};

// Stops chosen at run time (bytes only): up to eight named bytes, with
// controls every byte below a space, with beyondAscii every byte from 0x80
// on.
struct StopSet {
    static constexpr std::size_t room = 8;
    unsigned char bytes[room]{};
    std::size_t count = 0;
    bool controls = false;
    bool beyondAscii = false;

    // False when there is no room left for the byte.
    constexpr bool add(unsigned char byte)
    {
        if (count == room)
            return false;
        bytes[count++] = byte;
        return true;
    }

    constexpr bool has(unsigned char byte) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] == byte)
                return true;
        }
        return (controls && byte < 0x20) || (beyondAscii && byte >= 0x80);
    }
};

// The forms. Each holds sixteen bytes as lanes of Unit (one or two bytes);
// a comparison sets a lane's bytes all to one or all to zero; bits() takes
// the top bit of every byte.

#if defined(__SSE2__) && !defined(__wasm_simd128__)
struct Sse2 {
    using Block = __m128i;
    static Block load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void store(void* p, Block block) { _mm_storeu_si128(static_cast<__m128i*>(p), block); }
    static Block none() { return _mm_setzero_si128(); }
    static Block either(Block a, Block b) { return _mm_or_si128(a, b); }
    static Block differ(Block a, Block b) { return _mm_xor_si128(a, b); }
    static Block butNot(Block a, Block b) { return _mm_andnot_si128(b, a); }
    static Block both(Block a, Block b) { return _mm_and_si128(a, b); }
    static unsigned bits(Block block) { return static_cast<unsigned>(_mm_movemask_epi8(block)); }

    template <class Unit>
    static Block splat(unsigned value)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_set1_epi8(static_cast<char>(value));
        else
            return _mm_set1_epi16(static_cast<short>(value));
    }
    template <class Unit>
    static Block equal(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_cmpeq_epi8(block, value);
        else
            return _mm_cmpeq_epi16(block, value);
    }
    template <class Unit>
    static Block minus(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_sub_epi8(block, value);
        else
            return _mm_sub_epi16(block, value);
    }
    // Unsigned: a saturating subtraction leaves zero exactly there.
    template <class Unit>
    static Block atMost(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_cmpeq_epi8(_mm_subs_epu8(block, value), _mm_setzero_si128());
        else
            return _mm_cmpeq_epi16(_mm_subs_epu16(block, value), _mm_setzero_si128());
    }
    // The sum of all sixteen bytes.
    static std::size_t sumBytes(Block block)
    {
        const __m128i sums = _mm_sad_epu8(block, _mm_setzero_si128());
        return static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    }
};
#endif

#if defined(__wasm_simd128__)
struct WasmSimd {
    using Block = v128_t;
    static Block load(const void* p) { return wasm_v128_load(p); }
    static void store(void* p, Block block) { wasm_v128_store(p, block); }
    static Block none() { return wasm_i8x16_splat(0); }
    static Block either(Block a, Block b) { return wasm_v128_or(a, b); }
    static Block differ(Block a, Block b) { return wasm_v128_xor(a, b); }
    static Block butNot(Block a, Block b) { return wasm_v128_andnot(a, b); }
    static Block both(Block a, Block b) { return wasm_v128_and(a, b); }
    static unsigned bits(Block block) { return static_cast<unsigned>(wasm_i8x16_bitmask(block)); }

    template <class Unit>
    static Block splat(unsigned value)
    {
        if constexpr (sizeof(Unit) == 1)
            return wasm_i8x16_splat(static_cast<signed char>(value));
        else
            return wasm_i16x8_splat(static_cast<short>(value));
    }
    template <class Unit>
    static Block equal(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return wasm_i8x16_eq(block, value);
        else
            return wasm_i16x8_eq(block, value);
    }
    template <class Unit>
    static Block minus(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return wasm_i8x16_sub(block, value);
        else
            return wasm_i16x8_sub(block, value);
    }
    template <class Unit>
    static Block atMost(Block block, Block value)
    {
        if constexpr (sizeof(Unit) == 1)
            return wasm_u8x16_le(block, value);
        else
            return wasm_u16x8_le(block, value);
    }
    static std::size_t sumBytes(Block block)
    {
        const v128_t sums = wasm_u32x4_extadd_pairwise_u16x8(wasm_u16x8_extadd_pairwise_u8x16(block));
        return wasm_u32x4_extract_lane(sums, 0) + wasm_u32x4_extract_lane(sums, 1) + wasm_u32x4_extract_lane(sums, 2)
             + wasm_u32x4_extract_lane(sums, 3);
    }
};
#endif

// The same operations one lane at a time, where there is no SIMD (and as a
// reference for the others).
struct Plain {
    struct Block {
        unsigned char bytes[16];
    };
    static Block load(const void* p)
    {
        Block block;
        std::memcpy(block.bytes, p, 16);
        return block;
    }
    static void store(void* p, const Block& block) { std::memcpy(p, block.bytes, 16); }
    static Block none() { return {}; }
    template <class Operation>
    static Block eachByte(const Block& a, const Block& b, Operation operation)
    {
        Block result;
        for (std::size_t i = 0; i < 16; ++i)
            result.bytes[i] = static_cast<unsigned char>(operation(a.bytes[i], b.bytes[i]));
        return result;
    }
    static Block either(const Block& a, const Block& b) { return eachByte(a, b, [](unsigned x, unsigned y) { return x | y; }); }
    static Block differ(const Block& a, const Block& b) { return eachByte(a, b, [](unsigned x, unsigned y) { return x ^ y; }); }
    static Block butNot(const Block& a, const Block& b) { return eachByte(a, b, [](unsigned x, unsigned y) { return x & ~y; }); }
    static Block both(const Block& a, const Block& b) { return eachByte(a, b, [](unsigned x, unsigned y) { return x & y; }); }
    static unsigned bits(const Block& block)
    {
        unsigned result = 0;
        for (std::size_t i = 0; i < 16; ++i)
            result |= unsigned(block.bytes[i] >> 7) << i;
        return result;
    }

    template <class Unit, class Operation>
    static Block eachUnit(const Block& a, const Block& b, Operation operation)
    {
        Block result;
        for (std::size_t i = 0; i < 16; i += sizeof(Unit)) {
            Unit x, y;
            std::memcpy(&x, a.bytes + i, sizeof(Unit));
            std::memcpy(&y, b.bytes + i, sizeof(Unit));
            const auto lane = static_cast<Unit>(operation(x, y));
            std::memcpy(result.bytes + i, &lane, sizeof(Unit));
        }
        return result;
    }
    template <class Unit>
    static Block splat(unsigned value)
    {
        Block block;
        const auto unit = static_cast<Unit>(value);
        for (std::size_t i = 0; i < 16; i += sizeof(Unit))
            std::memcpy(block.bytes + i, &unit, sizeof(Unit));
        return block;
    }
    template <class Unit>
    static Block equal(const Block& block, const Block& value)
    {
        return eachUnit<Unit>(block, value, [](Unit x, Unit y) { return x == y ? ~Unit{} : Unit{}; });
    }
    template <class Unit>
    static Block minus(const Block& block, const Block& value)
    {
        return eachUnit<Unit>(block, value, [](Unit x, Unit y) { return x - y; });
    }
    template <class Unit>
    static Block atMost(const Block& block, const Block& value)
    {
        return eachUnit<Unit>(block, value, [](Unit x, Unit y) { return x <= y ? ~Unit{} : Unit{}; });
    }
    static std::size_t sumBytes(const Block& block)
    {
        std::size_t sum = 0;
        for (const unsigned char byte : block.bytes)
            sum += byte;
        return sum;
    }
};

#if defined(__wasm_simd128__)
using Chosen = WasmSimd;
#elif defined(__SSE2__)
using Chosen = Sse2;
#else
using Chosen = Plain;
#endif

template <class Unit>
constexpr std::ptrdiff_t kUnitsPerBlock = 16 / sizeof(Unit);

// The lanes of the block that hold a stop.
template <class Form, Stops stops, class Unit>
typename Form::Block stopLanes(typename Form::Block block)
{
    using F = Form;
    auto found = F::none();
    if constexpr (stops.beyondAscii && sizeof(Unit) == 1)
        found = block;  // the top bit is set from 0x80 on
    else if constexpr (stops.beyondAscii)
        found = F::butNot(F::template splat<Unit>(0xFFFF), F::template atMost<Unit>(block, F::template splat<Unit>(0x7F)));
    if constexpr (stops.controls)
        found = F::either(found, F::template atMost<Unit>(block, F::template splat<Unit>(0x1F)));
    if constexpr (stops.surrogates) {
        const auto offset = F::template minus<Unit>(block, F::template splat<Unit>(0xD800));
        found = F::either(found, F::template atMost<Unit>(offset, F::template splat<Unit>(0x7FF)));
    }
    for (std::size_t i = 0; i < stops.count; ++i)
        found = F::either(found, F::template equal<Unit>(block, F::template splat<Unit>(stops.units[i])));
    return found;
}

// A unit's value: a char may be signed.
template <class Unit>
constexpr char16_t valueOf(Unit unit)
{
    return static_cast<char16_t>(static_cast<std::make_unsigned_t<Unit>>(unit));
}

// How many units come before the first stop whose bits() are given.
template <class Unit>
std::ptrdiff_t unitsBefore(unsigned stopBits)
{
    return std::countr_zero(stopBits) / static_cast<int>(sizeof(Unit));
}

// The first unit of [p, end) among the stops, or end; one at a time.
template <Stops stops, class Unit>
const Unit* findPlain(const Unit* p, const Unit* end)
{
    while (p < end && !stops.has(valueOf(*p)))
        ++p;
    return p;
}

// The first unit of [p, end) among the stops, or end.
template <Stops stops, class Form = Chosen, class Unit>
[[gnu::always_inline]] inline const Unit* findFirst(const Unit* p, const Unit* end)
{
    static_assert(sizeof(Unit) == 2 || !stops.surrogates, "surrogates are 16-bit units");
    for (; end - p >= kUnitsPerBlock<Unit>; p += kUnitsPerBlock<Unit>) {
        if (const unsigned mask = Form::bits(stopLanes<Form, stops, Unit>(Form::load(p))); mask != 0)
            return p + unitsBefore<Unit>(mask);
    }
    return findPlain<stops>(p, end);
}

// Stores the block of units at in to out and returns the bits() of the
// stops among them.
template <Stops stops, class Form = Chosen, class Unit>
[[gnu::always_inline]] inline unsigned copyBlock(const Unit* in, Unit* out)
{
    const auto block = Form::load(in);
    Form::store(out, block);
    return Form::bits(stopLanes<Form, stops, Unit>(block));
}

// The stops among the 64 bytes at p, one bit each (bit i for p[i]).
template <Stops stops, class Form = Chosen>
[[gnu::always_inline]] inline std::uint64_t stopBits64(const char* p)
{
    std::uint64_t result = 0;
    for (int block = 0; block < 4; ++block) {
        const auto lanes = stopLanes<Form, stops, char>(Form::load(p + 16 * block));
        result |= std::uint64_t{Form::bits(lanes)} << (16 * block);
    }
    return result;
}

inline const unsigned char* findPlain(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
    while (p < end && !stops.has(*p))
        ++p;
    return p;
}

// The first byte of [p, end) in the set, or end.
template <class Form = Chosen>
[[gnu::always_inline]] inline const unsigned char* findFirst(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
    using F = Form;
    typename F::Block named[StopSet::room];
    for (std::size_t i = 0; i < stops.count; ++i)
        named[i] = F::template splat<unsigned char>(stops.bytes[i]);
    const auto lastControl = F::template splat<unsigned char>(0x1F);
    for (; end - p >= 16; p += 16) {
        const auto block = F::load(p);
        auto found = stops.beyondAscii ? block : F::none();
        if (stops.controls)
            found = F::either(found, F::template atMost<unsigned char>(block, lastControl));
        for (std::size_t i = 0; i < stops.count; ++i)
            found = F::either(found, F::template equal<unsigned char>(block, named[i]));
        if (const unsigned mask = F::bits(found); mask != 0)
            return p + std::countr_zero(mask);
    }
    return findPlain(stops, p, end);
}

// Line breaks, as CR LF pairs.

// How many lines [p, end) ends: each CR, and each LF that does not follow
// a CR; the byte before p is looked at when p is past first.
inline std::size_t countLineBreaksPlain(const unsigned char* first, const unsigned char* p, const unsigned char* end)
{
    std::size_t count = 0;
    for (; p < end; ++p)
        count += *p == '\r' || (*p == '\n' && (p == first || p[-1] != '\r'));
    return count;
}

// The same, an LF at p counted, sixteen bytes at a time.
template <class Form = Chosen>
std::size_t countLineBreaks(const unsigned char* p, const unsigned char* end)
{
    using F = Form;
    const unsigned char* const first = p;
    if (end - p <= 16)
        return countLineBreaksPlain(first, p, end);
    std::size_t count = countLineBreaksPlain(first, p, p + 1);
    const auto cr = F::template splat<unsigned char>('\r');
    const auto lf = F::template splat<unsigned char>('\n');
    for (++p; end - p >= 16;) {
        // Each byte of sums counts the breaks in its lane, for up to 255
        // blocks: a lane found is all ones, minus one.
        auto sums = F::none();
        for (const unsigned char* const stop = p + 16 * std::min<std::ptrdiff_t>(255, (end - p) / 16); p < stop; p += 16) {
            const auto block = F::load(p);
            const auto feeds = F::butNot(F::template equal<unsigned char>(block, lf),
                                         F::template equal<unsigned char>(F::load(p - 1), cr));
            sums = F::template minus<unsigned char>(sums, F::either(feeds, F::template equal<unsigned char>(block, cr)));
        }
        count += F::sumBytes(sums);
    }
    return count + countLineBreaksPlain(first, p, end);
}

}  // namespace tagora::scan
