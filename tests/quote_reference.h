// A plain, obviously correct reading of a quote file's lines, one unit at a time, for the
// checks that compare the quote reader with it. Qt-free, so that the 32-bit check can use it.
#pragma once

#include <cstddef>
#include <string>
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

namespace reference {

// A plain reading of a fortune file: its lines (ended by LF, CR LF or CR), records between lines
// that are exactly "%", comment lines ("%%...") left out, blank lines at a record's ends dropped
// and the rest joined by LF; records left empty are none. Nothing when no line is "%" (the file
// is then one saying per line) or the text is UTF-16.
inline std::vector<std::string> readFortunes(std::string_view bytes, bool &isFortuneFile)
{
    std::vector<std::string> records;
    isFortuneFile = false;
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        return records;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        lines.push_back(bytes.substr(begin, i - begin));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < bytes.size())
        lines.push_back(bytes.substr(begin));
    const auto blank = [](std::string_view line) {
        return line.find_first_not_of(" \t") == std::string_view::npos;
    };
    std::vector<std::string_view> record;
    const auto finish = [&] {
        while (!record.empty() && blank(record.back()))
            record.pop_back();
        std::size_t first = 0;
        while (first < record.size() && blank(record[first]))
            ++first;
        if (first < record.size()) {
            std::string text;
            for (std::size_t k = first; k < record.size(); ++k)
                text += std::string(record[k]) + (k + 1 < record.size() ? "\n" : "");
            records.push_back(text);
        }
        record.clear();
    };
    for (const std::string_view line : lines) {
        if (line == "%") {
            isFortuneFile = true;
            finish();
        } else if (line.substr(0, 2) != "%%") {
            record.push_back(line);
        }
    }
    finish();
    if (!isFortuneFile)
        records.clear();
    return records;
}

} // namespace reference
