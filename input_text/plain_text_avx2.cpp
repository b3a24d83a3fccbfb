// The AVX2 form of the scan of plain_text.h, compiled on its own with
// -mavx2 and run only where the processor has AVX2. Everything here is
// local to this file, so that no code for AVX2 is shared with the rest.
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
};

}  // namespace

bool leavesAsItIsAvx2(const unsigned char* bytes, std::size_t size)
{
    return leavesAsItIsInBlocks<Avx2>(bytes, size);
}

}  // namespace tagora::plain_text
