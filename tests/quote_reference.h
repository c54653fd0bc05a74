// A plain, obviously correct reading of a quote file's lines, one unit at a time, for the
// checks that compare the quote reader with it. Qt-free, so that the 32-bit check can use it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace reference {

struct Line
{
    std::size_t start;  // in bytes from the start of the file
    std::size_t length; // in bytes, without the line end
};

struct Reading
{
    int unitBytes = 1;
    bool bigEndian = false;
    std::vector<Line> lines;
};

inline Reading readLines(std::string_view bytes)
{
    Reading r;
    std::size_t from = 0;
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        r.unitBytes = 2;
        r.bigEndian = bytes[0] == '\xFE';
        from = 2;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        from = 3;
    }
    std::vector<char16_t> units;
    for (std::size_t i = from; i + std::size_t(r.unitBytes) <= bytes.size(); i += r.unitBytes) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        if (r.unitBytes == 1) {
            units.push_back(a);
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(r.bigEndian ? char16_t((a << 8) | b) : char16_t(a | (b << 8)));
    }
    std::size_t cr = 0, lf = 0, crlf = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        cr += units[i] == u'\r';
        lf += units[i] == u'\n';
        crlf += i > 0 && units[i - 1] == u'\r' && units[i] == u'\n';
    }
    // The kind of line end that ends most lines: CR (alone or before LF) or a lone LF.
    const bool crFile = cr > 0 && cr >= lf - crlf;

    const auto add = [&](std::size_t begin, std::size_t length) {
        if (length > 0)
            r.lines.push_back({from + begin * r.unitBytes, length * r.unitBytes});
    };
    std::size_t begin = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (crFile && units[i] == u'\r') {
            add(begin, i - begin);
            begin = i + 1 < units.size() && units[i + 1] == u'\n' ? i + 2 : i + 1;
            i = begin - 1;
        } else if (!crFile && units[i] == u'\n') {
            const bool crBefore = i > begin && units[i - 1] == u'\r';
            add(begin, i - begin - (crBefore ? 1 : 0));
            begin = i + 1;
        }
    }
    if (begin < units.size())
        add(begin, units.size() - begin);
    return r;
}

} // namespace reference
