// TipList: the sayings of one quote file in file order, addressed by position 1..count().
// Only where each saying starts is kept; a saying is read from the file and decoded when it is
// shown, so that a file of any size costs 4 bytes per saying and one line's read to show.
#pragma once

#include "core/path_text.h"
#include "quotes/line_index.h"
#include "quotes/line_scan.h"
#include "quotes/quote_file.h"

#include <QFile>
#include <QString>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace dewmoth::quotes {

// How much of a file to read: all of it, or only its head; and a flag that, once set from
// another thread, ends the reading (Unreadable, with nothing read).
struct ReadLimits
{
    std::uint64_t headBytes = 0; // 0: the whole file
    const std::atomic<bool> *cancel = nullptr;
    // A file of a collection, not TIPOFDAY.TXT: a fortune file when some line is exactly "%".
    bool fortunes = false;
    // Found in a folder rather than named: one with a NUL byte in its first 4 KiB is no text
    // (without a UTF-16 byte-order mark) and is passed over as unreadable.
    bool textOnly = false;
};

class TipList
{
public:
    TipList();
    ~TipList();
    TipList(TipList &&) noexcept;
    TipList &operator=(TipList &&) noexcept;

    // A list over bytes held in memory (for checks that need no file).
    // `maxLines`: fewer sayings than a file can hold, for checks of what happens at the limit.
    // `fortunes`: read as a fortune file when some line is exactly "%".
    static TipList fromBytes(std::string_view bytes, std::size_t maxLines = LineIndex::kMaxLines,
                             bool fortunes = false);

    qint32 count() const { return qint32(m_lines.count()); }
    // Whether the file holds more sayings than a list can number: only the first count() serve.
    bool cutShort() const { return m_lines.overflowed(); }
    // Whether only the head of a larger file was indexed.
    bool partial() const { return m_partial; }
    const std::filesystem::path &path() const { return m_path; }
    const FileStamp &stamp() const { return m_stamp; }
    LineEnds lineEnds() const { return m_ends; }
    // Records separated by "%" lines, each saying one or more lines.
    bool fortunes() const { return m_fortunes; }
    TextUnits units() const { return m_units; }

    // The saying at `position` (1-based), at most `maxChars` UTF-16 units of it when maxChars is
    // not negative: UTF-8 where its bytes are UTF-8, else the legacy code page. Empty outside
    // 1..count(), and nothing when the file no longer holds the bytes that were indexed.
    std::optional<QString> read(qint32 position, qsizetype maxChars = -1) const;
    QString at(qint32 position, qsizetype maxChars = -1) const
    {
        return read(position, maxChars).value_or(QString());
    }

private:
    friend struct QuoteFileResult readQuoteFile(const std::filesystem::path &path,
                                                const ReadLimits &limits);
    friend struct FileCheck followQuoteFile(TipList &tips, bool evenIfSame,
                                            std::uint64_t waitBytes);

    // `rules`: whether the file may be a fortune file, and whether a file that is no text is
    // refused.
    ScanResult index(const ByteSource &source, const ReadLimits &rules);
    // After indexing: what serves, and the file it came from.
    void settle(const std::filesystem::path &path, const FileStamp &stamp);

    std::unique_ptr<ByteSource> m_source;
    LineIndex m_lines;
    std::uint64_t m_end = 0; // where the indexed text ends
    LineEnds m_ends = LineEnds::Lf;
    TextUnits m_units = TextUnits::Bytes;
    bool m_fortunes = false;
    ReadLimits m_rules; // the rules the file was read by (whole, no cancel), for the next index
    std::filesystem::path m_path;
    FileStamp m_stamp;
    bool m_settled = true; // false: the file was being written as it was indexed
    bool m_partial = false;
};

enum class LoadStatus { Loaded, NotFound, Unreadable };

struct QuoteFileResult
{
    LoadStatus status = LoadStatus::NotFound;
    TipList tips;
    core::Failure failure; // why an existing file could not be read
};

// Indexes the quote file at `path` and keeps it open for reading sayings. An empty path, a
// missing path and a path that names anything but a file count as not found.
// With `limits.headBytes`, only the sayings that end within the file's first so many bytes are
// indexed, and partial() says there are more.
QuoteFileResult readQuoteFile(const std::filesystem::path &path, const ReadLimits &limits = {});
inline QuoteFileResult readQuoteFile(const QString &path)
{
    return readQuoteFile(core::textPath(path));
}

// What became of the quote file since it was indexed.
enum class FileChange {
    None,       // the same file: nothing to do
    Reindexed,  // edited, replaced or shortened: the list now holds the file as it is
    Vanished,   // gone or no longer a file: the list keeps the last good index
    Unreadable, // there but unreadable now: the list keeps the last good index
    Aside,      // changed, and larger than `waitBytes`: to be indexed away from the caller
};

struct FileCheck
{
    FileChange change = FileChange::None;
    QString why; // for Vanished and Unreadable
};

// Before a saying is shown: a cheap look (size and modification time of the path) whether the
// file changed, and a new index when it did (`evenIfSame`: always, for a file that no longer
// holds what was indexed). Lists made from memory never change. A file now larger than
// `waitBytes` (when not 0) is left to the caller to index elsewhere.
FileCheck followQuoteFile(TipList &tips, bool evenIfSame = false, std::uint64_t waitBytes = 0);

} // namespace dewmoth::quotes
