#include "quotes/line_scan.h"

namespace dewmoth::quotes {

std::vector<ByteScan> runnableByteScans()
{
    return {ByteScan::Portable};
}

ScanResult detail::scanByteLinesWith(ByteScan, const ByteSource &source, std::uint64_t from,
                                     LineEnds ends, LineIndex &index)
{
    return scanByteLinesPortable(source, from, ends, index);
}

} // namespace dewmoth::quotes
