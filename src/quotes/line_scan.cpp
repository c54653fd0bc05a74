#include "quotes/line_scan_core.h"

#include <atomic>

namespace dewmoth::quotes {

namespace {

std::atomic<int> forcedScan{-1};

template <bool kBigEndian>
ScanResult scanUtf16(const ByteSource &source, std::uint64_t from, LineEnds ends, LineIndex &index)
{
    return detail::scanBlocks<2>(source, from, ends, index,
                                 [](const char *block, std::uint64_t &cr, std::uint64_t &lf) {
                                     cr = lf = 0;
                                     for (unsigned k = 0; k < 64; ++k) {
                                         const char16_t unit = utf16Unit(block + 2 * k, kBigEndian);
                                         cr |= std::uint64_t(unit == u'\r') << k;
                                         lf |= std::uint64_t(unit == u'\n') << k;
                                     }
                                 });
}

} // namespace

namespace detail {

ScanResult scanByteLinesPortable(const ByteSource &source, std::uint64_t from, LineEnds ends,
                                 LineIndex &index)
{
    return scanBlocks<1>(source, from, ends, index,
                         [](const char *block, std::uint64_t &cr, std::uint64_t &lf) {
                             cr = lf = 0;
                             for (unsigned k = 0; k < 64; ++k) {
                                 cr |= std::uint64_t(block[k] == '\r') << k;
                                 lf |= std::uint64_t(block[k] == '\n') << k;
                             }
                         });
}

} // namespace detail

const char *byteScanName(ByteScan scan)
{
    switch (scan) {
    case ByteScan::Sse2:
        return "SSE2";
    case ByteScan::Avx2:
        return "AVX2";
    case ByteScan::Portable:
        break;
    }
    return "portable";
}

void forceByteScan(std::optional<ByteScan> scan)
{
    forcedScan.store(scan ? int(*scan) : -1, std::memory_order_relaxed);
}

ScanResult::ScanResult() = default;
ScanResult::~ScanResult() = default;
ScanResult::ScanResult(ScanResult &&) noexcept = default;
ScanResult &ScanResult::operator=(ScanResult &&) noexcept = default;

ScanResult scanLines(const ByteSource &source, std::uint64_t from, TextUnits units, LineEnds ends,
                     LineIndex &index)
{
    switch (units) {
    case TextUnits::Utf16Le:
        return scanUtf16<false>(source, from, ends, index);
    case TextUnits::Utf16Be:
        return scanUtf16<true>(source, from, ends, index);
    case TextUnits::Bytes:
        break;
    }
    const int forced = forcedScan.load(std::memory_order_relaxed);
    static const ByteScan fastest = runnableByteScans().back();
    return detail::scanByteLinesWith(forced < 0 ? fastest : ByteScan(forced), source, from, ends,
                                     index);
}

LineEndCounts countLineEnds(const char *text, std::size_t size, TextUnits units)
{
    LineEndCounts counts;
    const std::size_t step = units == TextUnits::Bytes ? 1 : 2;
    bool afterCr = false;
    for (std::size_t i = 0; i + step <= size; i += step) {
        const char16_t unit = units == TextUnits::Bytes     ? char16_t(text[i])
                              : units == TextUnits::Utf16Le ? utf16Unit(text + i, false)
                                                            : utf16Unit(text + i, true);
        counts.cr += unit == u'\r';
        counts.lf += unit == u'\n';
        counts.crlf += afterCr && unit == u'\n';
        afterCr = unit == u'\r';
    }
    return counts;
}

} // namespace dewmoth::quotes
