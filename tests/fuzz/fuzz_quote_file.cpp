// Feeds arbitrary bytes to the quote file reader, from memory (as TIPOFDAY.TXT and as a file of a
// collection, which may be a fortune file) and from a file that is edited between readings, and
// compares every saying with a plain, obviously correct reading.
#include "../quote_reference.h"
#include "core/utf8_check.h"
#include "quotes/legacy_text.h"
#include "quotes/tip_list.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace dewmoth::quotes;

namespace {

constexpr qsizetype kShown = 7; // UTF-16 units that the capped readings ask for

bool isLead(unsigned char c, std::size_t length)
{
    return length == 2 ? (c & 0xE0) == 0xC0 : length == 3 ? (c & 0xF0) == 0xE0 : (c & 0xF8) == 0xF0;
}

// 8-bit text as UTF-8 when it is UTF-8, else in the legacy code page. With `cut` (the saying
// goes on past these bytes) a character cut in two at the end is left out of the decision and
// of the text.
QString decode8(const char *p, std::size_t n, bool cut)
{
    if (dewmoth::core::isValidUtf8(p, n))
        return QString::fromUtf8(p, qsizetype(n));
    for (std::size_t k = 1; cut && k <= 3 && k <= n; ++k) {
        bool opened = false; // a lead byte of a longer character, then only continuation bytes
        for (std::size_t length = k + 1; length <= 4; ++length)
            opened = opened || isLead(static_cast<unsigned char>(p[n - k]), length);
        for (std::size_t j = n - k + 1; j < n; ++j)
            opened = opened && (static_cast<unsigned char>(p[j]) & 0xC0) == 0x80;
        if (opened && dewmoth::core::isValidUtf8(p, n - k))
            return QString::fromUtf8(p, qsizetype(n - k));
    }
    return decodeLegacyText(p, n);
}

// The saying as UTF-16, whole (cap < 0) or as the window asks for it: at most `cap` units and
// never half a surrogate pair. A capped reading of 8-bit text reads three bytes a unit and
// decides the encoding on those bytes alone.
QString expectedSaying(std::string_view bytes, const reference::Reading &r, std::size_t i,
                       qsizetype cap = -1)
{
    const char *p = bytes.data() + r.lines[i].start;
    const std::size_t n = r.lines[i].length;
    QString text;
    if (r.unitBytes == 2) {
        for (std::size_t k = 0; k < n; k += 2) {
            const auto a = static_cast<unsigned char>(p[k]);
            const auto b = static_cast<unsigned char>(p[k + 1]);
            text.append(QChar(r.bigEndian ? char16_t((a << 8) | b) : char16_t(a | (b << 8))));
        }
    } else {
        const std::size_t read = cap < 0 ? n : std::min(n, std::size_t(cap) * 3);
        text = decode8(p, read, read < n);
    }
    if (cap >= 0 && text.size() > cap)
        text.truncate(cap > 0 && text.at(cap - 1).isHighSurrogate() ? cap - 1 : cap);
    return text;
}

void compare(const TipList &tips, std::string_view bytes)
{
    const reference::Reading r = reference::readLines(bytes);
    if (std::size_t(tips.count()) != r.lines.size())
        std::abort();
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        if (tips.at(qint32(i + 1)) != expectedSaying(bytes, r, i))
            std::abort();
        if (tips.at(qint32(i + 1), kShown) != expectedSaying(bytes, r, i, kShown))
            std::abort();
    }
}

bool writeFile(const std::string &path, std::string_view bytes)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

// The same bytes as a file of a collection: a fortune file when some line is "%", else lines.
void compareFortunes(std::string_view bytes)
{
    const TipList tips = TipList::fromBytes(bytes, LineIndex::kMaxLines, true);
    bool fortunes = false;
    const std::vector<std::string> records = reference::readFortunes(bytes, fortunes);
    if (tips.fortunes() != fortunes)
        std::abort();
    if (!fortunes) {
        compare(tips, bytes);
        return;
    }
    if (std::size_t(tips.count()) != records.size())
        std::abort();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string &record = records[i];
        if (tips.at(qint32(i + 1)) != decode8(record.data(), record.size(), false))
            std::abort();
        if (tips.at(qint32(i + 1), kShown).size() > kShown)
            std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    compare(TipList::fromBytes(bytes), bytes);
    compareFortunes(bytes);

    // The same bytes as a file; then the file edited in place, shortened, and replaced with the
    // second half, each followed before the next reading.
    static const std::string path =
        std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/fuzz-quotes-" +
        std::to_string(::getpid()) + ".txt";
    if (!writeFile(path, bytes))
        return 0;
    QuoteFileResult read = readQuoteFile(std::filesystem::path(path));
    if (read.status != LoadStatus::Loaded)
        std::abort();
    compare(read.tips, bytes);
    const std::string_view half = bytes.substr(size / 2);
    const std::string renamed = path + ".new";
    if (!writeFile(path, half))
        return 0;
    // Until it is followed, the list never shows bytes of another line: a saying is either read
    // whole from where it was or not at all.
    for (qint32 i = 1; i <= read.tips.count(); ++i) {
        const std::optional<QString> s = read.tips.read(i);
        if (s && s->size() > qsizetype(bytes.size()))
            std::abort();
    }
    followQuoteFile(read.tips, true);
    compare(read.tips, half);
    if (!writeFile(renamed, bytes) || std::rename(renamed.c_str(), path.c_str()) != 0)
        return 0;
    followQuoteFile(read.tips, true);
    compare(read.tips, bytes);
    std::remove(path.c_str());
    if (followQuoteFile(read.tips).change != FileChange::Vanished)
        std::abort();
    compare(read.tips, bytes); // the open file still serves what was indexed
    return 0;
}
