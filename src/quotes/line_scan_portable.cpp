#include "quotes/line_scan_core.h"

namespace dewmoth::quotes {

ScanResult scanByteLines(const ByteSource &source, std::uint64_t from, LineEnds ends,
                         LineIndex &index)
{
    return detail::scanBlocks<1>(source, from, ends, index,
                                 [](const char *block, std::uint64_t &cr, std::uint64_t &lf) {
                                     cr = lf = 0;
                                     for (unsigned k = 0; k < 64; ++k) {
                                         cr |= std::uint64_t(block[k] == '\r') << k;
                                         lf |= std::uint64_t(block[k] == '\n') << k;
                                     }
                                 });
}

} // namespace dewmoth::quotes
