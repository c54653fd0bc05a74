#include "quotes/quote_source.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "quotes/saying_order.h"
#include "quotes/tip_list.h"

#include <chrono>

namespace dewmoth::quotes {

std::filesystem::path quoteFilePath(const std::filesystem::path &programFolder,
                                    const std::filesystem::path &userFile)
{
    // Anything at the name, or a name that cannot be looked at (a folder on the way that cannot
    // be entered), is the user's choice: it is read or reported, never passed over.
    std::error_code error;
    if (!userFile.empty() && (std::filesystem::symlink_status(userFile, error).type() !=
                                  std::filesystem::file_type::not_found ||
                              (error && error != std::errc::no_such_file_or_directory &&
                               error != std::errc::not_a_directory)))
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

SayingToPrint pickSayingToPrint(const std::filesystem::path &path, SayingOrder *order)
{
    SayingToPrint result;
    const QuoteFileResult read = readQuoteFile(path);
    if (read.status != LoadStatus::Loaded) {
        result.status = read.status == LoadStatus::NotFound ? SayingToPrint::Status::NotFound
                                                            : SayingToPrint::Status::Unreadable;
        result.failure = read.failure;
        return result;
    }
    if (read.tips.count() == 0) {
        result.status = SayingToPrint::Status::Empty;
        return result;
    }
    std::mt19937 random = clockSeededRandom();
    const std::optional<qint32> next =
        order ? order->next({core::pathText(path).toStdString(), read.tips.stamp().size,
                             read.tips.stamp().modified, std::uint64_t(read.tips.count())})
              : std::nullopt;
    const qint32 position = next.value_or(pickPosition(read.tips.count(), random));
    result.saying = read.tips.at(position, kPrintLimit + 1);
    if (result.saying.size() > kPrintLimit) {
        result.cut = true;
        // Never half of a surrogate pair.
        result.saying.truncate(result.saying.at(kPrintLimit - 1).isHighSurrogate() ? kPrintLimit - 1
                                                                                   : kPrintLimit);
    }
    result.status = SayingToPrint::Status::Picked;
    return result;
}

} // namespace dewmoth::quotes
