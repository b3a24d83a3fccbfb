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

}  // namespace tagora::scan
