#include "quotes/collection.h"

#include "core/path_text.h"
#include "core/program_info.h"

#include <algorithm>
#include <functional>
#include <system_error>
#include <unordered_set>

namespace dewmoth::quotes {

namespace {

namespace fs = std::filesystem;

bool isTipOfDay(const fs::path &path)
{
    return core::pathText(path.filename())
               .compare(QLatin1String(core::kQuoteFileName), Qt::CaseInsensitive) == 0;
}

using Why = PassedOver::Why;

// One level of a folder: its names in order, files added, folders handed to `inner`.
// Paths as the system spells them: compared and kept as plain strings, which for a folder of
// thousands of files is many times cheaper than comparing paths part by part.
using Names = std::unordered_set<fs::path::string_type>;

void addEntries(CollectionPlan &plan, const fs::path &folder, Names &seen,
                const std::function<void(const fs::path &)> &inner)
{
    std::error_code error;
    std::vector<fs::path> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path());
    if (error) {
        plan.passedOver.push_back({folder, Why::Unreachable, error.message()});
        return;
    }
    std::sort(names.begin(), names.end(),
              [](const fs::path &a, const fs::path &b) { return a.native() < b.native(); });
    Names all;
    for (const fs::path &path : names)
        all.insert(path.native());
    for (const fs::path &path : names) {
        const fs::file_status status = fs::status(path, error);
        if (error) {
            plan.passedOver.push_back({path, Why::Unreachable, error.message()});
            continue;
        }
        if (fs::is_directory(status)) {
            inner(path);
            continue;
        }
        if (!fs::is_regular_file(status)) {
            plan.passedOver.push_back({path, Why::NotAFile, {}});
            continue;
        }
        if (path.extension() == ".dat") {
            plan.passedOver.push_back({path, Why::Index, {}});
            continue;
        }
        if (all.count(path.native() + fs::path(".u8").native())) {
            plan.passedOver.push_back({path, Why::Twin, {}});
            continue;
        }
        // The same file reached through a link, or a folder linked twice, counts once.
        const fs::path real = fs::weakly_canonical(path, error);
        if (!error && !seen.insert(real.native()).second) {
            plan.passedOver.push_back({path, Why::Duplicate, core::pathText(real).toStdString()});
            continue;
        }
        plan.files.push_back({path, collectionRules(path, true)});
    }
}

} // namespace

const char *passedOverText(Why why)
{
    switch (why) {
    case Why::Index:
        return QT_TRANSLATE_NOOP("dewmoth", "an index, not sayings");
    case Why::Twin:
        return QT_TRANSLATE_NOOP("dewmoth", "its twin ending in .u8 is read instead");
    case Why::Duplicate:
        return QT_TRANSLATE_NOOP("dewmoth", "the same file as one read already");
    case Why::NotAFile:
        return QT_TRANSLATE_NOOP("dewmoth", "not a file (a FIFO, device or socket)");
    case Why::TooDeep:
        return QT_TRANSLATE_NOOP("dewmoth", "a folder more than one level down");
    case Why::Unreachable:
        break;
    }
    return QT_TRANSLATE_NOOP("dewmoth", "cannot be reached");
}

ReadLimits collectionRules(const fs::path &path, bool foundInFolder)
{
    ReadLimits rules;
    rules.fortunes = !isTipOfDay(path);
    rules.textOnly = foundInFolder;
    return rules;
}

void addFolder(CollectionPlan &plan, const fs::path &folder)
{
    Names seen;
    for (const CollectionFile &file : plan.files) {
        std::error_code error;
        seen.insert(fs::weakly_canonical(file.path, error).native());
    }
    addEntries(plan, folder, seen, [&](const fs::path &inner) {
        addEntries(plan, inner, seen, [&](const fs::path &deeper) {
            plan.passedOver.push_back({deeper, Why::TooDeep, {}});
        });
    });
}

void addNamed(CollectionPlan &plan, const fs::path &path)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        addFolder(plan, path);
    else
        plan.files.push_back({path, collectionRules(path, false)});
}

void Collection::add(TipList list)
{
    m_lists.push_back(std::move(list));
    countLast();
}

void Collection::countLast()
{
    // Positions are signed 32-bit: sayings past that many are not numbered.
    const qint64 before = m_ends.empty() ? 0 : m_ends.back();
    m_ends.push_back(qint32(std::min<qint64>(before + m_lists[m_ends.size()].count(), INT32_MAX)));
}

void Collection::recount()
{
    m_ends.clear();
    while (m_ends.size() < m_lists.size())
        countLast();
}

bool Collection::partial() const
{
    return m_unread || std::any_of(m_lists.begin(), m_lists.end(),
                                   [](const TipList &list) { return list.partial(); });
}

fs::path Collection::path() const
{
    return m_lists.empty() ? fs::path() : m_lists.front().path();
}

CollectionId Collection::id() const
{
    if (m_lists.size() == 1) {
        const TipList &list = m_lists.front();
        return {core::pathText(list.path()).toStdString(), list.stamp().size, list.stamp().modified,
                std::uint64_t(list.count())};
    }
    CollectionId id;
    id.path = core::pathText(path()).toStdString() + " and " + std::to_string(m_lists.size() - 1) +
              " more";
    std::uint64_t mixed = 0;
    for (const TipList &list : m_lists) {
        id.size += list.stamp().size;
        const std::string name = core::pathText(list.path()).toStdString();
        mixed = (mixed * 0x100000001B3ULL) ^ std::hash<std::string>()(name) ^
                (std::uint64_t(list.stamp().modified) * 0x9E3779B97F4A7C15ULL);
    }
    id.modified = std::int64_t(mixed);
    id.count = std::uint64_t(count());
    return id;
}

std::pair<std::size_t, qint32> Collection::locate(qint32 position) const
{
    const auto it = std::lower_bound(m_ends.begin(), m_ends.end(), position);
    const std::size_t k = std::size_t(it - m_ends.begin());
    return {k, position - (k == 0 ? 0 : m_ends[k - 1])};
}

std::optional<QString> Collection::read(qint32 position, qsizetype maxChars) const
{
    if (position < 1 || position > count())
        return QString();
    const auto [list, inList] = locate(position);
    return m_lists[list].read(inList, maxChars);
}

CollectionRead readCollection(const CollectionPlan &plan, const ReadLimits &limits)
{
    CollectionRead result;
    std::uint64_t budget = limits.headBytes;
    bool unreadable = false;
    for (const CollectionFile &file : plan.files) {
        FileReport report;
        report.path = file.path;
        if (limits.headBytes > 0 && budget == 0) {
            result.collection.m_unread = true;
            result.reports.push_back(std::move(report));
            continue;
        }
        ReadLimits rules = file.rules;
        rules.headBytes = budget;
        rules.cancel = limits.cancel;
        QuoteFileResult read = readQuoteFile(file.path, rules);
        report.status = read.status;
        report.failure = read.failure;
        if (read.status == LoadStatus::Loaded) {
            report.count = read.tips.count();
            report.fortunes = read.tips.fortunes();
            if (limits.headBytes > 0)
                budget -= std::min(budget, read.tips.partial() ? budget : read.tips.stamp().size);
            result.collection.add(std::move(read.tips));
            result.status = LoadStatus::Loaded;
        } else if (read.status == LoadStatus::Unreadable && !unreadable) {
            unreadable = true;
            result.failure = read.failure;
            result.failedPath = file.path;
        }
        result.reports.push_back(std::move(report));
        if (limits.cancel && limits.cancel->load())
            break;
    }
    if (result.status != LoadStatus::Loaded && unreadable)
        result.status = LoadStatus::Unreadable;
    if (result.status == LoadStatus::NotFound && !plan.files.empty())
        result.failedPath = plan.files.front().path;
    return result;
}

FileCheck followCollection(Collection &collection, qint32 failedPosition, std::uint64_t waitBytes)
{
    FileCheck outcome;
    const std::size_t failedList = failedPosition > 0 && failedPosition <= collection.count()
                                       ? collection.locate(failedPosition).first
                                       : collection.m_lists.size();
    bool reindexed = false;
    for (std::size_t k = 0; k < collection.m_lists.size(); ++k) {
        const FileCheck check = followQuoteFile(collection.m_lists[k], k == failedList, waitBytes);
        switch (check.change) {
        case FileChange::None:
            break;
        case FileChange::Aside:
            collection.recount();
            return check;
        case FileChange::Reindexed:
            reindexed = true;
            break;
        case FileChange::Vanished:
        case FileChange::Unreadable:
            if (outcome.change == FileChange::None) {
                outcome = check;
                outcome.why =
                    core::pathText(collection.m_lists[k].path()) + QStringLiteral(": ") + check.why;
            }
            break;
        }
    }
    if (reindexed) {
        collection.recount();
        outcome.change = FileChange::Reindexed;
    }
    return outcome;
}

} // namespace dewmoth::quotes
