#include "quotes/line_scan_core.h"

#include <emmintrin.h>

namespace dewmoth::quotes {

namespace detail {
// line_scan_x86_avx2.cpp, built for processors with AVX2.
ScanResult scanByteLinesAvx2(const ByteSource &source, std::uint64_t from, LineEnds ends,
                             LineIndex &index);
} // namespace detail

namespace {

bool hasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
           __builtin_cpu_supports("bmi");
}

} // namespace

ScanResult scanByteLines(const ByteSource &source, std::uint64_t from, LineEnds ends,
                         LineIndex &index)
{
    static const bool avx2 = hasAvx2();
    if (avx2)
        return detail::scanByteLinesAvx2(source, from, ends, index);
    // SSE2, which every x86-64 processor has: four 16-byte compares per mask.
    return detail::scanBlocks<1>(
        source, from, ends, index, [](const char *block, std::uint64_t &cr, std::uint64_t &lf) {
            const __m128i crs = _mm_set1_epi8('\r');
            const __m128i lfs = _mm_set1_epi8('\n');
            cr = lf = 0;
            for (int k = 0; k < 4; ++k) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block) + k);
                cr |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, crs))))
                      << (16 * k);
                lf |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lfs))))
                      << (16 * k);
            }
        });
}

} // namespace dewmoth::quotes
