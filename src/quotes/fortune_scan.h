// Collections in the format that Debian's fortune packages use: records separated by lines that
// hold only "%", each record one or more lines. Private to the quote reader.
//
// Lines end at LF, CR LF or CR. A line that starts with "%%" is a comment. A record that holds
// nothing but blanks, empty lines and comments is no saying.
#pragma once

#include "quotes/line_index.h"
#include "quotes/line_scan.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dewmoth::quotes {

struct FortuneScan
{
    ScanResult scan;
    std::uint64_t separators = 0; // lines that are exactly "%": none means not this format
    // The last "%" line ends the text without a line end: where the text is only the head of a
    // file, it may be the start of a longer line.
    bool endsInSeparator = false;
};

// Pushes onto `index` where each record that is a saying starts: at its first line that is
// neither blank nor a comment. One pass through a small reused buffer; no record text is kept.
FortuneScan scanFortunes(const ByteSource &source, std::uint64_t from, LineIndex &index);

// The text of the record that the bytes start with, from its first line up to the next "%"
// line or the end of the bytes: comments left out, blank lines at either end dropped, the lines
// joined by LF.
std::string fortuneRecord(std::string_view bytes);

} // namespace dewmoth::quotes
