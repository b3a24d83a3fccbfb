// The AVX2 form of the scans of plain_text_scan.h, compiled on its own
// with -mavx2 and run only where the processor has AVX2. Everything here
// is local to this file, so that no code for AVX2 is shared with the rest.
#include "input_text/plain_text_forms.h"

#include <immintrin.h>

namespace tagora::plain_text {
namespace {

struct Avx2 {
    using Block = __m256i;
    static Block load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static Block either(Block a, Block b) { return _mm256_or_si256(a, b); }
    static Block differ(Block a, Block b) { return _mm256_xor_si256(a, b); }
    static Block both(Block a, Block b) { return _mm256_and_si256(a, b); }
    static unsigned bits(Block block) { return static_cast<unsigned>(_mm256_movemask_epi8(block)); }
    static bool isZero(Block block) { return _mm256_testz_si256(block, block) != 0; }
    template <class Unit>
    static Block splat(unsigned value)
    {
        static_assert(sizeof(Unit) == 1);
        return _mm256_set1_epi8(static_cast<char>(value));
    }
    template <class Unit>
    static Block equal(Block block, Block value)
    {
        static_assert(sizeof(Unit) == 1);
        return _mm256_cmpeq_epi8(block, value);
    }
    static Block saturatingMinus(Block block, Block value) { return _mm256_subs_epu8(block, value); }
    static Block lowNibbles(Block block) { return _mm256_and_si256(block, _mm256_set1_epi8(0x0F)); }
    static Block highNibbles(Block block) { return lowNibbles(_mm256_srli_epi16(block, 4)); }
    // table[index] in each lane; every index is below 16.
    static Block lookup(const unsigned char (&table)[16], Block index)
    {
        const __m128i half = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table));
        return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(half), index);
    }
};

}  // namespace

bool leavesAsItIsAvx2(const unsigned char* bytes, std::size_t size)
{
    return leavesAsItIsInBlocks<Avx2>(bytes, size);
}

bool isPlainTextAvx2(const unsigned char* bytes, std::size_t size)
{
    return isPlainTextInBlocks<Avx2>(bytes, size);
}

}  // namespace tagora::plain_text
