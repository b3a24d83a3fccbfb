// The SSE4.2 form of the joined scan of plain_text_scan.h (its table
// lookups need SSSE3's byte shuffle, its zero test SSE4.1), compiled on
// its own with -msse4.2 and run only where the processor has SSE4.2.
// Everything here is local to this file.
#include "input_text/plain_text_forms.h"

#include <nmmintrin.h>

namespace tagora::plain_text {
namespace {

struct Sse42 {
    using Block = __m128i;
    static Block load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static Block either(Block a, Block b) { return _mm_or_si128(a, b); }
    static Block differ(Block a, Block b) { return _mm_xor_si128(a, b); }
    static Block both(Block a, Block b) { return _mm_and_si128(a, b); }
    static unsigned bits(Block block) { return static_cast<unsigned>(_mm_movemask_epi8(block)); }
    static bool isZero(Block block) { return _mm_testz_si128(block, block) != 0; }
    template <class Unit>
    static Block splat(unsigned value)
    {
        static_assert(sizeof(Unit) == 1);
        return _mm_set1_epi8(static_cast<char>(value));
    }
    template <class Unit>
    static Block equal(Block block, Block value)
    {
        static_assert(sizeof(Unit) == 1);
        return _mm_cmpeq_epi8(block, value);
    }
    static Block saturatingMinus(Block block, Block value) { return _mm_subs_epu8(block, value); }
    static Block lowNibbles(Block block) { return _mm_and_si128(block, _mm_set1_epi8(0x0F)); }
    static Block highNibbles(Block block) { return lowNibbles(_mm_srli_epi16(block, 4)); }
    // table[index] in each lane; every index is below 16.
    static Block lookup(const unsigned char (&table)[16], Block index)
    {
        return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table)), index);
    }
};

}  // namespace

bool isPlainTextSse42(const unsigned char* bytes, std::size_t size)
{
    return isPlainTextInBlocks<Sse42>(bytes, size);
}

}  // namespace tagora::plain_text
