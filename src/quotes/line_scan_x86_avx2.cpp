// Built with AVX2, POPCNT and BMI (see CMakeLists.txt) and called only where the processor has
// them: two 32-byte compares per mask, and counting and finding bits in one instruction each.
#include "quotes/line_scan_core.h"

#include <immintrin.h>

namespace dewmoth::quotes::detail {

ScanResult scanByteLinesAvx2(const ByteSource &source, std::uint64_t from, LineEnds ends,
                             LineIndex &index)
{
    return scanBlocks<1>(
        source, from, ends, index, [](const char *block, std::uint64_t &cr, std::uint64_t &lf) {
            const __m256i crs = _mm256_set1_epi8('\r');
            const __m256i lfs = _mm256_set1_epi8('\n');
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(block));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(block) + 1);
            const auto bits = [](__m256i v) {
                return std::uint64_t(std::uint32_t(_mm256_movemask_epi8(v)));
            };
            cr = bits(_mm256_cmpeq_epi8(a, crs)) | bits(_mm256_cmpeq_epi8(b, crs)) << 32;
            lf = bits(_mm256_cmpeq_epi8(a, lfs)) | bits(_mm256_cmpeq_epi8(b, lfs)) << 32;
        });
}

} // namespace dewmoth::quotes::detail
