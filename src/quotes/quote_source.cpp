#include "quotes/quote_source.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "quotes/quotes_log.h"
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

Sources runSources(const std::filesystem::path &programFolder,
                   const std::filesystem::path &userFile,
                   const std::filesystem::path &sayingsFolder,
                   const std::vector<std::filesystem::path> &named)
{
    Sources sources;
    if (!named.empty()) {
        for (const std::filesystem::path &path : named)
            addNamed(sources.plan, path);
        return sources;
    }
    sources.fallback = programFolder / core::kQuoteFileName;
    if (const std::filesystem::path own = quoteFilePath(programFolder, userFile); own == userFile) {
        sources.plan.files.push_back({own, collectionRules(own, false)});
        sources.ownFileFirst = true;
    }
    std::error_code error;
    if (!sayingsFolder.empty() && std::filesystem::exists(sayingsFolder, error))
        addFolder(sources.plan, sayingsFolder);
    return sources;
}

Sources singleFile(const std::filesystem::path &file)
{
    Sources sources;
    sources.plan.files.push_back({file, {}});
    return sources;
}

CollectionRead readSources(const Sources &sources, const ReadLimits &limits, bool logFiles)
{
    if (logFiles) {
        for (const PassedOver &skipped : sources.plan.passedOver) {
            const QString why =
                QString::fromUtf8(passedOverText(skipped.why)) +
                (skipped.detail.empty()
                     ? QString()
                     : QStringLiteral(": ") + QString::fromLocal8Bit(skipped.detail.c_str()));
            if (skipped.expected())
                qCDebug(lcQuotes) << "passed over" << core::pathText(skipped.path) << "-" << why;
            else
                qCWarning(lcQuotes) << "passed over" << core::pathText(skipped.path) << "-" << why;
        }
    }
    CollectionRead read = readCollection(sources.plan, limits);
    const bool serves = read.collection.count() > 0 || read.collection.partial();
    const bool ownFails = sources.ownFileFirst && !read.reports.empty() &&
                          read.reports.front().status == LoadStatus::Unreadable;
    // Where nothing serves and nothing stands in, the caller reports the failure itself.
    const bool reported = !serves && (sources.fallback.empty() || ownFails);
    if (logFiles && !reported) {
        // Files of a collection that cannot be read are passed over; the others serve.
        for (const FileReport &report : read.reports)
            if (report.status == LoadStatus::Unreadable)
                qCWarning(lcQuotes) << "passed over" << core::pathText(report.path) << "-"
                                    << QString::fromLocal8Bit(report.failure.detail.c_str());
    }
    if (serves || sources.fallback.empty())
        return read;
    if (ownFails) {
        read.status = LoadStatus::Unreadable;
        read.failure = read.reports.front().failure;
        read.failedPath = read.reports.front().path;
        return read;
    }
    CollectionRead fallback = readCollection(singleFile(sources.fallback).plan, limits);
    if (fallback.status == LoadStatus::NotFound)
        fallback.failedPath = sources.fallback;
    // What was passed over is still what the user's collection holds.
    fallback.reports.insert(fallback.reports.begin(), read.reports.begin(), read.reports.end());
    return fallback;
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

SayingToPrint pickSayingToPrint(const Sources &sources, SayingOrder *order)
{
    SayingToPrint result;
    const CollectionRead read = readSources(sources, {}, true);
    const Collection &tips = read.collection;
    if (read.status != LoadStatus::Loaded) {
        result.status = read.status == LoadStatus::NotFound ? SayingToPrint::Status::NotFound
                                                            : SayingToPrint::Status::Unreadable;
        result.failure = read.failure;
        result.where = read.status == LoadStatus::NotFound && !sources.fallback.empty()
                           ? sources.fallback
                           : read.failedPath;
        if (result.where.empty() && !sources.plan.files.empty())
            result.where = sources.plan.files.front().path;
        return result;
    }
    if (tips.count() == 0) {
        result.status = SayingToPrint::Status::Empty;
        result.where = tips.path();
        return result;
    }
    std::mt19937 random = clockSeededRandom();
    const std::optional<qint32> next = order ? order->next(tips.id()) : std::nullopt;
    const qint32 position = next.value_or(pickPosition(tips.count(), random));
    result.saying = tips.at(position, kPrintLimit + 1);
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
