// Finds where the sayings of a quote file begin, in one pass through a small reused buffer.
//
// Line ends: in a file whose lines end in CR, a line ends at CR or at CR LF (taken whole) and a
// lone LF belongs to the line; in a file whose lines end in LF, a line ends at LF or CR LF and a
// lone CR belongs to the line. A file is of the first kind when lines ended by CR (alone or
// before LF) are at least as many as lines ended by a lone LF, and it holds any CR at all.
// Empty lines are no sayings.
#pragma once

#include "core/failure.h"
#include "quotes/line_index.h"
#include "quotes/quote_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dewmoth::quotes {

enum class LineEnds { Cr, Lf };
enum class TextUnits { Bytes, Utf16Le, Utf16Be };

// The UTF-16 unit in the two bytes at `p`, in the file's byte order.
inline char16_t utf16Unit(const char *p, bool bigEndian)
{
    const auto lo = static_cast<unsigned char>(p[bigEndian ? 1 : 0]);
    const auto hi = static_cast<unsigned char>(p[bigEndian ? 0 : 1]);
    return char16_t(lo | (hi << 8));
}

struct LineEndCounts
{
    std::uint64_t cr = 0;   // CR units, alone or before LF
    std::uint64_t lf = 0;   // LF units, alone or after CR
    std::uint64_t crlf = 0; // CR LF pairs

    LineEnds majority() const { return cr > 0 && cr >= lf - crlf ? LineEnds::Cr : LineEnds::Lf; }
};

// Where the bytes come from: the open file, or memory.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    // As OpenFile::readAt: fewer bytes than asked only at the end, -1 with `why` on an error.
    virtual std::int64_t readAt(std::uint64_t offset, char *into, std::size_t size,
                                core::Failure &why) const = 0;
    // What the source is now, for one that can change (a file); nothing for memory.
    virtual std::optional<FileStamp> stamp() const { return std::nullopt; }
};

struct ScanResult
{
    // Out of line: see line_scan_core.h.
    ScanResult();
    ~ScanResult();
    ScanResult(ScanResult &&) noexcept;
    ScanResult &operator=(ScanResult &&) noexcept;

    bool ok = true;
    core::Failure why;     // when not ok: the read error
    std::uint64_t end = 0; // where the text ended
    LineEndCounts counts;
};

// Pushes the start of every saying from `from` to the end of the source onto `index`.
ScanResult scanLines(const ByteSource &source, std::uint64_t from, TextUnits units, LineEnds ends,
                     LineIndex &index);

// Counts line ends in text[0, size) the way scanLines does, to guess a file's kind early.
LineEndCounts countLineEnds(const char *text, std::size_t size, TextUnits units);

// The scans of 8-bit text. Every build holds the portable one, an x86-64 build the SSE2 and
// AVX2 ones too; they find the same starts, only at different speeds.
enum class ByteScan { Portable, Sse2, Avx2 };

// The scans this build holds that this processor can run, the fastest last.
std::vector<ByteScan> runnableByteScans();
const char *byteScanName(ByteScan scan);

// Makes every later scan use `scan` (one of the runnable ones) instead of the fastest, so that
// tests and benchmarks reach each of them on any processor; nullopt goes back to the fastest.
void forceByteScan(std::optional<ByteScan> scan);

namespace detail {
ScanResult scanByteLinesPortable(const ByteSource &source, std::uint64_t from, LineEnds ends,
                                 LineIndex &index);
// One implementation per processor family (line_scan_x86.cpp, line_scan_portable.cpp).
ScanResult scanByteLinesWith(ByteScan scan, const ByteSource &source, std::uint64_t from,
                             LineEnds ends, LineIndex &index);
} // namespace detail

} // namespace dewmoth::quotes
