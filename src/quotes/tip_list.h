// TipList: the sayings of one quote file in file order, addressed by position 1..count().
// The file's bytes are kept as read and a saying is decoded only when it is asked for, so a
// file of any size loads in one pass and showing a saying costs the same for every file.
#pragma once

#include "quotes/byte_buffer.h"
#include "quotes/line_index.h"

#include <QFile>
#include <QString>

#include <filesystem>
#include <string_view>

namespace dewmoth::quotes {

enum class QuoteEncoding { Utf8, Legacy };

class TipList
{
public:
    TipList() = default;
    explicit TipList(ByteBuffer bytes);
    static TipList fromBytes(std::string_view bytes);

    qint32 count() const { return qint32(m_lines.count()); }
    QuoteEncoding encoding() const { return m_encoding; }

    // The saying at `position` (1-based), at most `maxChars` UTF-16 units of it when maxChars is
    // not negative. Empty outside 1..count().
    QString at(qint32 position, qsizetype maxChars = -1) const;

private:
    void index(std::size_t from);

    ByteBuffer m_bytes;
    LineIndex m_lines;
    char m_terminator = '\n';
    QuoteEncoding m_encoding = QuoteEncoding::Utf8;
};

enum class LoadStatus { Loaded, NotFound, Unreadable };

struct QuoteFileResult
{
    LoadStatus status = LoadStatus::NotFound;
    TipList tips;
    QString error; // why an existing file could not be read
};

// Reads the quote file at `path` whole. An empty path, a missing path and a path that names
// anything but a file count as not found.
QuoteFileResult readQuoteFile(const std::filesystem::path &path);
inline QuoteFileResult readQuoteFile(const QString &path)
{
    return readQuoteFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
}

} // namespace dewmoth::quotes
