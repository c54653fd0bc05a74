// The scan shared by every processor: the file in 64-unit blocks, each turned into two bit
// masks (CR, LF) by the processor's own code, then line starts found with a few bit operations
// per block instead of branches per byte. Private to the quote reader.
//
// A file may build this with instruction sets the processor running it may lack (chosen at run
// time), so it names no inline function of the standard library: a copy of one, built for
// another processor, could be the one the linker keeps for the whole program.
#pragma once

#include "quotes/line_scan.h"

namespace dewmoth::quotes::detail {

// 256 KiB at a time: large enough that reading costs no more than for one big read, small
// enough to stay in the processor's cache.
inline constexpr std::size_t kChunkBytes = std::size_t(256) << 10;

// The units of a block where a saying starts, from its CR and LF masks and the block before's.
[[gnu::always_inline]] inline std::uint64_t blockStarts(bool crFile, std::uint64_t cr,
                                                        std::uint64_t lf, std::uint64_t prevCr,
                                                        std::uint64_t prevLf)
{
    const std::uint64_t crBefore = (cr << 1) | (prevCr >> 63);
    const std::uint64_t lfBefore = (lf << 1) | (prevLf >> 63);
    if (crFile) {
        const std::uint64_t ending = cr | (lf & crBefore);
        const std::uint64_t endingBefore = crBefore | (lfBefore & ((cr << 2) | (prevCr >> 62)));
        return ~ending & endingBefore;
    }
    return ~lf & ~(cr & (lf >> 1)) & lfBefore;
}

// `masks(block, cr, lf)` sets bit k of cr (lf) when unit k of the 64-unit block is CR (LF).
// Always inlined into the scan that calls it, so that it is built for that scan's processor
// (see line_scan_x86_avx2.cpp) and inlines that scan's masks in turn.
template <unsigned kUnit, typename Masks>
[[gnu::always_inline]] inline ScanResult scanBlocks(const ByteSource &source, std::uint64_t from,
                                                    LineEnds ends, LineIndex &index, Masks masks)
{
    ScanResult result;
    // One block of zeros after the chunk, so that the last, partial block reads no garbage.
    struct Buffer
    {
        char *const data = new char[kChunkBytes + 64 * kUnit];
        ~Buffer() { delete[] data; }
    } buffer;
    // As if "\r\n" stood before the first unit, so that a saying may start there.
    std::uint64_t prevCr = std::uint64_t(1) << 62;
    std::uint64_t prevLf = std::uint64_t(1) << 63;
    // Starts found in the block before, held back until the next block's first unit is known
    // (in an LF file, a CR just before LF ends a line and so starts none).
    std::uint64_t pendingStarts = 0;
    std::uint64_t pendingBase = 0;
    const bool crFile = ends == LineEnds::Cr;
    const auto pushStarts = [&index](std::uint64_t base, std::uint64_t starts)
        __attribute__((always_inline))
    {
        for (; starts; starts &= starts - 1)
            index.push(base + kUnit * unsigned(__builtin_ctzll(starts)));
    };
    std::uint64_t offset = from;
    for (;;) {
        const std::int64_t got = source.readAt(offset, buffer.data, kChunkBytes, result.why);
        if (got < 0) {
            result.ok = false;
            return result;
        }
        const std::size_t units = std::size_t(got) / kUnit;
        __builtin_memset(buffer.data + units * kUnit, 0, 64 * kUnit);
        for (std::size_t first = 0; first < units; first += 64) {
            std::uint64_t cr, lf;
            masks(buffer.data + first * kUnit, cr, lf);
            // Most blocks of a file hold no CR, or CR only before LF.
            result.counts.lf += std::uint64_t(__builtin_popcountll(lf));
            if (cr | (prevCr >> 63)) {
                const std::uint64_t crBefore = (cr << 1) | (prevCr >> 63);
                result.counts.cr += std::uint64_t(__builtin_popcountll(cr));
                result.counts.crlf += std::uint64_t(__builtin_popcountll(crBefore & lf));
            }
            std::uint64_t starts = blockStarts(crFile, cr, lf, prevCr, prevLf);
            if (!crFile)
                pendingStarts &= ~(((prevCr >> 63) & lf & 1) << 63);
            if (units - first < 64)
                starts &= (std::uint64_t(1) << (units - first)) - 1;
            pushStarts(pendingBase, pendingStarts);
            pendingStarts = starts;
            pendingBase = offset + first * kUnit;
            prevCr = cr;
            prevLf = lf;
        }
        offset += units * kUnit;
        if (std::size_t(got) < kChunkBytes)
            break;
    }
    pushStarts(pendingBase, pendingStarts);
    result.end = offset;
    return result;
}

} // namespace dewmoth::quotes::detail
