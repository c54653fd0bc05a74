#include "quotes/fortune_scan.h"

#include <cstring>
#include <memory>

namespace dewmoth::quotes {

namespace {

constexpr std::size_t kChunkBytes = std::size_t(256) << 10;

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// A byte that starts a record where it begins a line: neither blank, nor a line end, nor "%".
bool isContent(char c)
{
    return c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '%';
}

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

FortuneScan scanFortunes(const ByteSource &source, std::uint64_t from, LineIndex &index)
{
    FortuneScan out;
    ScanResult &result = out.scan;
    // Not cleared: a collection of many small files would pay for 256 KiB of zeros each.
    const std::unique_ptr<char[]> buffer(new char[kChunkBytes]);
    // Looking for a record's first line, passing over a comment line on the way there, or
    // inside a record, looking for the "%" line that ends it.
    enum class State { SeekRecord, InComment, InRecord } state = State::SeekRecord;
    bool lineStart = true;          // the byte at hand is the first of its line
    std::uint64_t lineBegin = from; // where the line at hand starts (while seeking a record)
    char before = '\n';             // the byte before the chunk
    std::uint64_t offset = from;
    for (;;) {
        const std::int64_t got = source.readAt(offset, buffer.get(), kChunkBytes, result.why);
        if (got < 0) {
            result.ok = false;
            return out;
        }
        const char *b = buffer.get();
        const std::size_t n = std::size_t(got);
        const bool last = n < kChunkBytes;
        // What a byte is may depend on the two after it: those of the chunk's last two bytes
        // wait for the next read, which starts at the first byte not yet decided.
        const std::size_t safe = last ? n : n - 2;
        std::size_t p = 0;
        while (p < safe) {
            if (state == State::InRecord) {
                const void *hit = std::memchr(b + p, '%', n - p);
                const std::size_t q = hit ? std::size_t(static_cast<const char *>(hit) - b) : n;
                if (q >= safe) {
                    p = q < n ? q : n;
                    break;
                }
                p = q + 1;
                if (!isLineEnd(q > 0 ? b[q - 1] : before))
                    continue;
                if (q + 1 == n || isLineEnd(b[q + 1])) {
                    ++out.separators;
                    out.endsInSeparator = q + 1 == n;
                    // Most records follow their "%" line at once: "%\n" and the first byte.
                    if (q + 3 < safe && b[q + 1] == '\n' && isContent(b[q + 2])) {
                        index.push(offset + q + 2);
                        p = q + 3;
                        continue;
                    }
                    state = State::SeekRecord;
                    lineStart = false; // the "%" line's own end comes next
                }
                continue;
            }
            if (state == State::InComment) {
                while (p < n && !isLineEnd(b[p]))
                    ++p;
                if (p < n)
                    state = State::SeekRecord;
                continue;
            }
            const char c = b[p];
            if (c == ' ' || c == '\t') {
                lineStart = false;
                ++p;
            } else if (isLineEnd(c)) {
                lineStart = true;
                lineBegin = offset + ++p;
            } else if (c == '%' && lineStart && p + 1 < n && b[p + 1] == '%') {
                state = State::InComment;
                p += 2;
            } else if (c == '%' && lineStart && (p + 1 == n || isLineEnd(b[p + 1]))) {
                ++out.separators; // a record of nothing
                out.endsInSeparator = p + 1 == n;
                lineStart = false;
                ++p;
            } else {
                index.push(lineBegin);
                state = State::InRecord;
                ++p;
            }
        }
        if (p > 0)
            before = b[p - 1];
        if (last) {
            result.end = offset + n;
            break;
        }
        offset += p;
    }
    return out;
}

std::string fortuneRecord(std::string_view bytes)
{
    std::string text;
    std::size_t kept = 0; // text's length up to its last line that is not blank
    bool any = false;     // a line is in the text
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = at;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        const std::string_view line = bytes.substr(at, end - at);
        at = end;
        if (at < bytes.size())
            at += bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
        if (line == "%")
            break;
        if (line.substr(0, 2) == "%%")
            continue;
        if (!any && isBlankLine(line))
            continue;
        if (any)
            text += '\n';
        text += line;
        any = true;
        if (!isBlankLine(line))
            kept = text.size();
    }
    text.resize(kept);
    return text;
}

} // namespace dewmoth::quotes
