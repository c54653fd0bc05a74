// Code for processors with AVX2, POPCNT and BMI, called only where the processor has them. The
// file is built for the baseline processor like every other; only the function below carries
// the newer instructions, through its target attribute, and so does what the compiler inlines
// into it. Whatever it calls out of line (the index's slow path, the read) stays baseline code,
// and no copy of a shared inline function built for AVX2 can reach the rest of the program.
#include "quotes/line_scan_core.h"

#include <immintrin.h>

#define DEWMOTH_AVX2 __attribute__((target("avx2,popcnt,bmi")))

namespace dewmoth::quotes::detail {

namespace {

// Two 32-byte compares per mask. Internal, so no other file can be handed this copy.
struct MasksAvx2
{
    DEWMOTH_AVX2 void operator()(const char *block, std::uint64_t &cr, std::uint64_t &lf) const
    {
        const __m256i crs = _mm256_set1_epi8('\r');
        const __m256i lfs = _mm256_set1_epi8('\n');
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(block));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(block) + 1);
        cr = std::uint64_t(std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, crs)))) |
             std::uint64_t(std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, crs)))) << 32;
        lf = std::uint64_t(std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, lfs)))) |
             std::uint64_t(std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, lfs)))) << 32;
    }
};

} // namespace

DEWMOTH_AVX2 ScanResult scanByteLinesAvx2(const ByteSource &source, std::uint64_t from,
                                          LineEnds ends, LineIndex &index)
{
    return scanBlocks<1>(source, from, ends, index, MasksAvx2{});
}

} // namespace dewmoth::quotes::detail
