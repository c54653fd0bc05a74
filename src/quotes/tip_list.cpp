#include "quotes/tip_list.h"

#include "quotes/utf8_check.h"

#include "quotes/legacy_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>
#include <system_error>

namespace dewmoth::quotes {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool startsWithBom(const ByteBuffer &bytes)
{
    return bytes.size() >= kUtf8Bom.size() &&
           std::memcmp(bytes.data(), kUtf8Bom.data(), kUtf8Bom.size()) == 0;
}

} // namespace

TipList::TipList(ByteBuffer bytes) : m_bytes(std::move(bytes))
{
    const char *data = m_bytes.data();
    const std::size_t size = m_bytes.size();
    m_terminator = (size && std::memchr(data, '\r', size)) ? '\r' : '\n';

    const bool bom = startsWithBom(m_bytes);
    LineCollector lines(data, size, bom ? kUtf8Bom.size() : 0, m_terminator == '\r', m_lines);
    const bool nonAscii = scanLines(data, size, bom ? kUtf8Bom.size() : 0, m_terminator, lines);
    if (!nonAscii || isValidUtf8(data, size))
        return;

    m_encoding = QuoteEncoding::Legacy;
    if (bom) {
        // Not UTF-8 after all: those three bytes are text of the first line.
        m_lines.clear();
        LineCollector again(data, size, 0, m_terminator == '\r', m_lines);
        scanLines(data, size, 0, m_terminator, again);
    }
}

TipList TipList::fromBytes(std::string_view bytes)
{
    ByteBuffer buffer(bytes.size());
    if (!bytes.empty())
        std::memcpy(buffer.data(), bytes.data(), bytes.size());
    return TipList(std::move(buffer));
}

QString TipList::at(qint32 position, qsizetype maxChars) const
{
    if (position < 1 || position > count())
        return {};
    const std::size_t start = m_lines.offset(std::size_t(position - 1));
    const char *begin = m_bytes.data() + start;
    std::size_t avail = m_bytes.size() - start;
    // A UTF-16 unit never takes more than three bytes of UTF-8.
    const bool capped = maxChars >= 0 && avail > std::size_t(maxChars) * 3;
    if (capped)
        avail = std::size_t(maxChars) * 3;
    const void *term = std::memchr(begin, m_terminator, avail);
    std::size_t length = term ? std::size_t(static_cast<const char *>(term) - begin) : avail;

    QString text;
    if (m_encoding == QuoteEncoding::Legacy) {
        text = decodeLegacyText(begin, length);
    } else {
        if (capped && !term) {
            while (length > 0 && (static_cast<unsigned char>(begin[length]) & 0xC0) == 0x80)
                --length; // never cut a character in two
        }
        text = QString::fromUtf8(begin, qsizetype(length));
    }
    if (maxChars >= 0 && text.size() > maxChars) {
        qsizetype keep = maxChars;
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            --keep;
        text.truncate(keep);
    }
    return text;
}

QuoteFileResult readQuoteFile(const std::filesystem::path &path)
{
    QuoteFileResult result;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return result;

    const auto fail = [&result](int code) {
        result.status = LoadStatus::Unreadable;
        result.error = QString::fromStdString(std::generic_category().message(code));
        return std::move(result);
    };
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return fail(errno ? errno : EIO);
    const std::uintmax_t announced = std::filesystem::file_size(path, error);
    try {
        ByteBuffer bytes(error ? 0 : std::size_t(announced));
        file.read(bytes.data(), std::streamsize(bytes.size()));
        const auto filled = std::size_t(file.gcount());
        if (file.bad())
            return fail(errno ? errno : EIO);
        // Files that announce no size (or grew meanwhile) get one more read, so that one which
        // cannot be read at all is reported rather than shown as empty. A file that shrank
        // while it was read keeps what was there.
        if (filled == bytes.size()) {
            char probe;
            errno = 0;
            file.clear();
            file.read(&probe, 1);
            if (file.bad())
                return fail(errno ? errno : EIO);
        }
        bytes.shrink(filled);
        result.tips = TipList(std::move(bytes));
    } catch (const std::bad_alloc &) {
        result.status = LoadStatus::Unreadable;
        result.error = QStringLiteral("there is not enough memory for a file of %1 bytes")
                           .arg(qulonglong(announced));
        return result;
    }
    result.status = LoadStatus::Loaded;
    return result;
}

} // namespace dewmoth::quotes
