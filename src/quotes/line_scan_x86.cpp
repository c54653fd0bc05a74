#include "quotes/line_scan_core.h"

#include <emmintrin.h>

namespace dewmoth::quotes {

namespace detail {
// line_scan_x86_avx2.cpp: to be called only where hasAvx2().
ScanResult scanByteLinesAvx2(const ByteSource &source, std::uint64_t from, LineEnds ends,
                             LineIndex &index);
} // namespace detail

namespace {

bool hasAvx2()
{
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
               __builtin_cpu_supports("bmi");
    }();
    return avx2;
}

// SSE2, which every x86-64 processor has: four 16-byte compares per mask.
ScanResult scanByteLinesSse2(const ByteSource &source, std::uint64_t from, LineEnds ends,
                             LineIndex &index)
{
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

} // namespace

std::vector<ByteScan> runnableByteScans()
{
    if (hasAvx2())
        return {ByteScan::Portable, ByteScan::Sse2, ByteScan::Avx2};
    return {ByteScan::Portable, ByteScan::Sse2};
}

ScanResult detail::scanByteLinesWith(ByteScan scan, const ByteSource &source, std::uint64_t from,
                                     LineEnds ends, LineIndex &index)
{
    switch (scan) {
    case ByteScan::Avx2:
        if (hasAvx2())
            return scanByteLinesAvx2(source, from, ends, index);
        break;
    case ByteScan::Portable:
        return scanByteLinesPortable(source, from, ends, index);
    case ByteScan::Sse2:
        break;
    }
    return scanByteLinesSse2(source, from, ends, index);
}

} // namespace dewmoth::quotes
