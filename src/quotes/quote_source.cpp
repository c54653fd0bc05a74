#include "quotes/quote_source.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "quotes/tip_list.h"

#include <QFile>

#include <chrono>

namespace dewmoth::quotes {

std::filesystem::path quoteFilePath(const std::filesystem::path &programFolder,
                                    const std::filesystem::path &userFile)
{
    std::error_code error;
    if (!userFile.empty() &&
        std::filesystem::symlink_status(userFile, error).type() !=
            std::filesystem::file_type::not_found &&
        !error)
        return userFile;
    return programFolder / core::kQuoteFileName;
}

std::mt19937 clockSeededRandom()
{
    return std::mt19937(
        std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count() & 0xffffffff));
}

qint32 pickPosition(qint32 n, std::mt19937 &random)
{
    return std::uniform_int_distribution<qint32>(1, n)(random);
}

qint32 pickNextPosition(qint32 n, qint32 previous, std::mt19937 &random)
{
    if (n < 2 || previous < 1 || previous > n)
        return pickPosition(n, random);
    const qint32 other = pickPosition(n - 1, random);
    return other >= previous ? other + 1 : other;
}

int printSaying(const std::filesystem::path &path, std::FILE *out, std::FILE *errors)
{
    const QByteArray shown = core::pathText(path).toUtf8();
    const QuoteFileResult result = readQuoteFile(path);
    if (result.status == LoadStatus::NotFound) {
        std::fprintf(errors, "dewmoth: there is no quote file at %s\n", shown.constData());
        return 1;
    }
    if (result.status == LoadStatus::Unreadable) {
        std::fprintf(errors, "dewmoth: the quote file %s could not be read: %s\n",
                     shown.constData(), result.error.toUtf8().constData());
        return 1;
    }
    if (result.tips.count() == 0) {
        std::fprintf(errors, "dewmoth: the quote file %s holds no sayings\n", shown.constData());
        return 1;
    }
    std::mt19937 random = clockSeededRandom();
    const QByteArray saying = result.tips.at(pickPosition(result.tips.count(), random)).toUtf8();
    if (std::fprintf(out, "%s\n", saying.constData()) < 0 || std::fflush(out) != 0) {
        std::fprintf(errors, "dewmoth: the saying could not be written\n");
        return 1;
    }
    return 0;
}

} // namespace dewmoth::quotes
