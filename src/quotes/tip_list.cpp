#include "quotes/tip_list.h"

#include "core/utf8_check.h"
#include "quotes/fortune_scan.h"
#include "quotes/legacy_text.h"
#include "quotes/quotes_log.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

namespace dewmoth::quotes {

namespace {

// Enough of the start of a file to tell its byte-order mark and guess its kind of line ends.
constexpr std::size_t kHeadBytes = 64 << 10;

class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}

    std::int64_t readAt(std::uint64_t offset, char *into, std::size_t size,
                        core::Failure &) const override
    {
        if (offset >= m_bytes.size())
            return 0;
        const std::size_t n = std::min<std::size_t>(size, m_bytes.size() - std::size_t(offset));
        std::memcpy(into, m_bytes.data() + offset, n);
        return std::int64_t(n);
    }

private:
    std::string m_bytes;
};

class FileSource final : public ByteSource
{
public:
    // Reads end at `limit`, the size the file had when it was opened: files that never end
    // (procfs, a device behind a link) stay bounded, and what an editor appends meanwhile waits
    // for the next index.
    FileSource(OpenFile file, std::uint64_t limit, const std::atomic<bool> *cancel)
        : m_file(std::move(file)), m_limit(limit), m_cancel(cancel)
    {}

    std::int64_t readAt(std::uint64_t offset, char *into, std::size_t size,
                        core::Failure &why) const override
    {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed)) {
            why = {core::Reason::Other, "no longer wanted"};
            return -1;
        }
        if (offset >= m_limit)
            return 0;
        return m_file.readAt(offset, into,
                             std::size_t(std::min<std::uint64_t>(size, m_limit - offset)), why);
    }
    std::optional<FileStamp> stamp() const override { return m_file.stamp(); }
    void setLimit(std::uint64_t limit) { m_limit = limit; }
    // The flag belongs to the reading only; the list outlives it.
    void forgetCancel() { m_cancel = nullptr; }

private:
    OpenFile m_file;
    std::uint64_t m_limit;
    const std::atomic<bool> *m_cancel;
};

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// UTF-8 when the bytes are, else the legacy code page. `cut`: the line goes on beyond these
// bytes, so a character cut in two at the end is left out of the UTF-8 check and decoding.
QString decodeBytes(const char *data, std::size_t size, bool cut)
{
    std::size_t whole = size;
    if (cut) {
        std::size_t tail = 0;
        while (tail < 3 && tail < size &&
               (static_cast<unsigned char>(data[size - 1 - tail]) & 0xC0) == 0x80)
            ++tail;
        if (tail < size) {
            const auto lead = static_cast<unsigned char>(data[size - 1 - tail]);
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (length > tail + 1)
                whole = size - 1 - tail;
        }
    }
    if (core::isValidUtf8(data, whole))
        return QString::fromUtf8(data, qsizetype(whole));
    return decodeLegacyText(data, size);
}

QString decodeUtf16(const char *data, std::size_t size, bool bigEndian)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    for (std::size_t i = 0; i < size / 2; ++i)
        out[i] = utf16Unit(data + 2 * i, bigEndian);
    return text;
}

// The saying's own text: up to its line end, without the CR of a CR LF in an LF file.
template <typename Unit> std::size_t lineLength(const Unit *text, std::size_t n, LineEnds ends)
{
    const Unit end = ends == LineEnds::Cr ? Unit('\r') : Unit('\n');
    const Unit *stop = std::find(text, text + n, end);
    std::size_t length = std::size_t(stop - text);
    if (ends == LineEnds::Lf && stop != text + n && length > 0 && text[length - 1] == Unit('\r'))
        --length;
    return length;
}

} // namespace

TipList::TipList() = default;
TipList::~TipList() = default;
TipList::TipList(TipList &&) noexcept = default;
TipList &TipList::operator=(TipList &&) noexcept = default;

TipList TipList::fromBytes(std::string_view bytes, std::size_t maxLines, bool fortunes)
{
    TipList list;
    list.m_lines = LineIndex(maxLines);
    list.m_source = std::make_unique<MemorySource>(bytes);
    ReadLimits rules;
    rules.fortunes = fortunes;
    list.index(*list.m_source, rules);
    return list;
}

ScanResult TipList::index(const ByteSource &source, const ReadLimits &rules)
{
    m_lines.clear();
    // Not cleared first: a collection of many small files would pay for 64 KiB of zeros each.
    const std::unique_ptr<char[]> headBytes(new char[kHeadBytes]);
    ScanResult result;
    const std::int64_t got = source.readAt(0, headBytes.get(), kHeadBytes, result.why);
    if (got < 0) {
        result.ok = false;
        return result;
    }
    const std::string_view head(headBytes.get(), std::size_t(got));

    std::uint64_t from = 0;
    m_units = TextUnits::Bytes;
    if (startsWith(head, "\xFF\xFE")) {
        m_units = TextUnits::Utf16Le;
        from = 2;
    } else if (startsWith(head, "\xFE\xFF")) {
        m_units = TextUnits::Utf16Be;
        from = 2;
    } else if (startsWith(head, "\xEF\xBB\xBF")) {
        from = 3; // a byte-order mark is no part of the first saying
    }
    if (rules.textOnly && m_units == TextUnits::Bytes &&
        std::memchr(head.data(), '\0', std::min<std::size_t>(head.size(), 4096))) {
        result.ok = false;
        result.why = {core::Reason::NotText, "not text: a NUL byte in its first 4 KiB"};
        return result;
    }

    // A fortune file only where a "%" line says so; any other file is one saying per line.
    m_fortunes = false;
    if (rules.fortunes && m_units == TextUnits::Bytes) {
        FortuneScan fortunes = scanFortunes(source, from, m_lines);
        // Of a head, a "%" at its very end may begin a longer line: it tells nothing.
        const std::uint64_t separators =
            fortunes.separators - (m_partial && fortunes.endsInSeparator ? 1 : 0);
        if (!fortunes.scan.ok || separators > 0) {
            m_fortunes = separators > 0;
            m_end = fortunes.scan.end;
            if (!fortunes.scan.ok)
                m_lines.clear();
            return std::move(fortunes.scan);
        }
        m_lines.clear();
    }

    // Guessed from the start of the file; the rare file whose start misleads is read twice.
    const LineEnds guess =
        countLineEnds(head.data() + from, head.size() - std::size_t(from), m_units).majority();
    result = scanLines(source, from, m_units, guess, m_lines);
    if (result.ok && result.counts.majority() != guess) {
        m_lines.clear();
        result = scanLines(source, from, m_units, result.counts.majority(), m_lines);
    }
    m_ends = result.counts.majority();
    m_end = result.end;
    if (!result.ok)
        m_lines.clear();
    return result;
}

std::optional<QString> TipList::read(qint32 position, qsizetype maxChars) const
{
    if (position < 1 || position > count() || !m_source)
        return QString();
    const std::uint64_t start = m_lines.offset(std::size_t(position - 1));
    const std::uint64_t stop = position < count() ? m_lines.offset(std::size_t(position)) : m_end;
    const bool bytes = m_units == TextUnits::Bytes;
    // A UTF-16 unit never takes more than three bytes of UTF-8.
    const std::uint64_t cap =
        maxChars < 0 ? stop - start : std::uint64_t(maxChars) * (bytes ? 3 : 2);
    const std::size_t want = std::size_t(std::min(stop - start, cap));

    std::string raw(want, '\0');
    core::Failure why;
    if (m_source->readAt(start, raw.data(), want, why) != std::int64_t(want))
        return std::nullopt; // shortened or unreadable since it was indexed
    // Written to since it was indexed (even at the same size, with its time put back): these
    // bytes may be part of another line, or of two versions.
    if (const std::optional<FileStamp> now = m_source->stamp();
        now && (!m_settled || !now->holdsWhat(m_stamp)))
        return std::nullopt;
    const bool capped = want < stop - start;

    QString text;
    if (m_fortunes) {
        const std::string record = fortuneRecord(raw);
        text = decodeBytes(record.data(), record.size(), capped);
    } else if (bytes) {
        const std::size_t length = lineLength(raw.data(), want, m_ends);
        text = decodeBytes(raw.data(), length, capped && length == want);
    } else {
        text = decodeUtf16(raw.data(), want, m_units == TextUnits::Utf16Be);
        text.truncate(qsizetype(lineLength(reinterpret_cast<const char16_t *>(text.constData()),
                                           std::size_t(text.size()), m_ends)));
    }
    // Cut here, or by the read: either way, never end on half a surrogate pair.
    if (maxChars >= 0 && (text.size() > maxChars || capped)) {
        qsizetype keep = std::min(maxChars, text.size());
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            --keep;
        text.truncate(keep);
    }
    return text;
}

void TipList::settle(const std::filesystem::path &path, const FileStamp &stamp)
{
    // The head's last saying may go on past it: only the ones known to be whole serve.
    if (m_partial && m_lines.count() > 0) {
        m_end = m_lines.offset(m_lines.count() - 1);
        m_lines.dropLast();
    }
    if (cutShort() && !m_partial)
        qCWarning(lcQuotes) << core::pathText(path) << "holds more sayings than" << count()
                            << "; only these first ones are used";
    m_path = path;
    m_stamp = stamp;
}

QuoteFileResult readQuoteFile(const std::filesystem::path &path, const ReadLimits &limits)
{
    QuoteFileResult result;
    OpenFile file;
    switch (OpenFile::open(path, file, result.failure)) {
    case OpenStatus::NotFound:
        return result;
    case OpenStatus::Failed:
        result.status = LoadStatus::Unreadable;
        return result;
    case OpenStatus::Opened:
        break;
    }
    FileStamp stamp = file.stamp();
    // Files of special file systems say they are empty and may still be read (or fail to be):
    // the program takes them as empty, but one that cannot be read at all is reported.
    if (char probe; stamp.size == 0 && file.readAt(0, &probe, 1, result.failure) < 0) {
        result.status = LoadStatus::Unreadable;
        return result;
    }
    try {
        TipList tips;
        auto source = std::make_unique<FileSource>(std::move(file), stamp.size, limits.cancel);
        FileSource &opened = *source;
        tips.m_source = std::move(source);
        // Written to while it was indexed: the index may mix two versions; once more, a few
        // times. Written to just now: a write within the same clock tick would leave no trace,
        // so wait for the tick to pass (a few milliseconds) before trusting the stamp.
        for (int attempt = 0;; ++attempt) {
            for (int waited = 0; mayChangeUnseen(stamp) && waited < 20; ++waited) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                stamp = opened.stamp().value_or(stamp);
            }
            tips.m_partial = limits.headBytes > 0 && stamp.size > limits.headBytes;
            opened.setLimit(tips.m_partial ? limits.headBytes : stamp.size);
            const ScanResult scan = tips.index(opened, limits);
            if (!scan.ok) {
                result.status = LoadStatus::Unreadable;
                result.failure = scan.why;
                return result;
            }
            const std::optional<FileStamp> after = opened.stamp();
            tips.m_settled = after && *after == stamp && !mayChangeUnseen(stamp);
            if (tips.m_settled || attempt == 2)
                break;
            stamp = after.value_or(stamp);
        }
        opened.forgetCancel();
        tips.m_rules = {0, nullptr, limits.fortunes, limits.textOnly};
        tips.settle(path, stamp);
        result.tips = std::move(tips);
    } catch (const std::bad_alloc &) {
        result.status = LoadStatus::Unreadable;
        result.failure = {core::Reason::OutOfMemory, "no memory for the index of a file of " +
                                                         std::to_string(stamp.size) + " bytes"};
        return result;
    }
    result.status = LoadStatus::Loaded;
    return result;
}

FileCheck followQuoteFile(TipList &tips, bool evenIfSame, std::uint64_t waitBytes)
{
    FileCheck check;
    const std::filesystem::path path = tips.m_path;
    if (path.empty())
        return check;
    const std::optional<FileStamp> now = stampAt(path);
    if (now && *now == tips.m_stamp && !evenIfSame)
        return check;
    if (now && waitBytes > 0 && now->size > waitBytes) {
        check.change = FileChange::Aside;
        return check;
    }
    QuoteFileResult fresh = now ? readQuoteFile(path, tips.m_rules) : QuoteFileResult{};
    switch (fresh.status) {
    case LoadStatus::Loaded:
        tips = std::move(fresh.tips);
        check.change = FileChange::Reindexed;
        break;
    case LoadStatus::NotFound:
        check.change = FileChange::Vanished;
        check.why = QStringLiteral("there is no file at its name any more");
        break;
    case LoadStatus::Unreadable:
        check.change = FileChange::Unreadable;
        check.why = QString::fromLocal8Bit(fresh.failure.detail.c_str());
        break;
    }
    return check;
}

} // namespace dewmoth::quotes
