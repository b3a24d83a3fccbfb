// The one scanning primitive of the engine: where the first of a few bytes
// is, sixteen bytes at a time with SSE2 (x86) or WebAssembly SIMD (the
// browser build with -msimd128), else byte by byte. Every form is here so
// that a test can hold them against each other.
#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace tagora::scan {

// The bytes that stop a scan: up to four named ones, and with beyondAscii
// every byte from 0x80 on.
struct Stops {
    unsigned char bytes[4]{};
    std::size_t count = 0;
    bool beyondAscii = false;

    constexpr bool has(unsigned char byte) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] == byte)
                return true;
        }
        return beyondAscii && byte >= 0x80;
    }
};

template <Stops stops>
const unsigned char* findPlain(const unsigned char* p, const unsigned char* end)
{
    while (p < end && !stops.has(*p))
        ++p;
    return p;
}

#if defined(__SSE2__)
template <Stops stops>
const unsigned char* findSse2(const unsigned char* p, const unsigned char* end)
{
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // A byte from 0x80 on has its high bit set, which movemask reads.
        __m128i found = stops.beyondAscii ? block : _mm_setzero_si128();
        for (std::size_t i = 0; i < stops.count; ++i)
            found = _mm_or_si128(found, _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(stops.bytes[i]))));
        if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(found)); mask != 0)
            return p + std::countr_zero(mask);
    }
    return findPlain<stops>(p, end);
}
#endif

#if defined(__wasm_simd128__)
template <Stops stops>
const unsigned char* findWasmSimd(const unsigned char* p, const unsigned char* end)
{
    for (; end - p >= 16; p += 16) {
        const v128_t block = wasm_v128_load(p);
        v128_t found = stops.beyondAscii ? block : wasm_i8x16_splat(0);
        for (std::size_t i = 0; i < stops.count; ++i)
            found = wasm_v128_or(found, wasm_i8x16_eq(block, wasm_i8x16_splat(static_cast<signed char>(stops.bytes[i]))));
        if (const auto mask = static_cast<unsigned>(wasm_i8x16_bitmask(found)); mask != 0)
            return p + std::countr_zero(mask);
    }
    return findPlain<stops>(p, end);
}
#endif

// The first byte of [p, end) among the stops, or end.
template <Stops stops>
const unsigned char* findFirst(const unsigned char* p, const unsigned char* end)
{
#if defined(__SSE2__)
    return findSse2<stops>(p, end);
#elif defined(__wasm_simd128__)
    return findWasmSimd<stops>(p, end);
#else
    return findPlain<stops>(p, end);
#endif
}

// Stops chosen at run time: up to eight named bytes, with controls every
// byte below a space, with beyondAscii every byte from 0x80 on.
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

inline const unsigned char* findPlain(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
    while (p < end && !stops.has(*p))
        ++p;
    return p;
}

#if defined(__SSE2__)
inline const unsigned char* findSse2(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
    __m128i named[StopSet::room];
    for (std::size_t i = 0; i < stops.count; ++i)
        named[i] = _mm_set1_epi8(static_cast<char>(stops.bytes[i]));
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i found = stops.beyondAscii ? block : _mm_setzero_si128();
        if (stops.controls) {
            // Saturating subtraction leaves zero exactly for 0x00 to 0x1F,
            // whose compare gives 0xFF.
            found = _mm_or_si128(found, _mm_cmpeq_epi8(_mm_subs_epu8(block, lastControl), _mm_setzero_si128()));
        }
        for (std::size_t i = 0; i < stops.count; ++i)
            found = _mm_or_si128(found, _mm_cmpeq_epi8(block, named[i]));
        if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(found)); mask != 0)
            return p + std::countr_zero(mask);
    }
    return findPlain(stops, p, end);
}
#endif

#if defined(__wasm_simd128__)
inline const unsigned char* findWasmSimd(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
    v128_t named[StopSet::room];
    for (std::size_t i = 0; i < stops.count; ++i)
        named[i] = wasm_i8x16_splat(static_cast<signed char>(stops.bytes[i]));
    const v128_t space = wasm_i8x16_splat(0x20);
    for (; end - p >= 16; p += 16) {
        const v128_t block = wasm_v128_load(p);
        v128_t found = stops.beyondAscii ? block : wasm_i8x16_splat(0);
        if (stops.controls)
            found = wasm_v128_or(found, wasm_u8x16_lt(block, space));
        for (std::size_t i = 0; i < stops.count; ++i)
            found = wasm_v128_or(found, wasm_i8x16_eq(block, named[i]));
        if (const auto mask = static_cast<unsigned>(wasm_i8x16_bitmask(found)); mask != 0)
            return p + std::countr_zero(mask);
    }
    return findPlain(stops, p, end);
}
#endif

// The first byte of [p, end) in the set, or end.
inline const unsigned char* findFirst(const StopSet& stops, const unsigned char* p, const unsigned char* end)
{
#if defined(__SSE2__)
    return findSse2(stops, p, end);
#elif defined(__wasm_simd128__)
    return findWasmSimd(stops, p, end);
#else
    return findPlain(stops, p, end);
#endif
}

}  // namespace tagora::scan
