// Feeds arbitrary bytes to the quote file reader, from memory and from a file that is edited
// between readings, and compares every saying with a plain, obviously correct reading.
#include "../quote_reference.h"
#include "quotes/legacy_text.h"
#include "quotes/tip_list.h"
#include "quotes/utf8_check.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace dewmoth::quotes;

namespace {

// The saying as UTF-16, as UTF-8 when it is UTF-8 and in the legacy code page when not; and
// (`other`) the decoding not chosen, which a saying cut short may have been given.
QString expectedSaying(std::string_view bytes, const reference::Reading &r, std::size_t i,
                       QString *other)
{
    const char *p = bytes.data() + r.lines[i].start;
    const std::size_t n = r.lines[i].length;
    if (r.unitBytes == 2) {
        QString text;
        for (std::size_t k = 0; k < n; k += 2) {
            const auto a = static_cast<unsigned char>(p[k]);
            const auto b = static_cast<unsigned char>(p[k + 1]);
            text.append(QChar(r.bigEndian ? char16_t((a << 8) | b) : char16_t(a | (b << 8))));
        }
        *other = text;
        return text;
    }
    const QString utf8 = QString::fromUtf8(p, qsizetype(n));
    const QString legacy = decodeLegacyText(p, n);
    const bool valid = isValidUtf8(p, n);
    *other = valid ? legacy : utf8;
    return valid ? utf8 : legacy;
}

void compare(const TipList &tips, std::string_view bytes)
{
    const reference::Reading r = reference::readLines(bytes);
    if (std::size_t(tips.count()) != r.lines.size())
        std::abort();
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        QString other;
        const QString want = expectedSaying(bytes, r, i, &other);
        if (tips.at(qint32(i + 1)) != want)
            std::abort();
        // Cut short, a saying is decided on what is shown of it.
        const QString shown = tips.at(qint32(i + 1), 7);
        if (shown.size() > 7 || !(want.startsWith(shown) || other.startsWith(shown)))
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    compare(TipList::fromBytes(bytes), bytes);

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
