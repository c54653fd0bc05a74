#include "quotes/saying_choice.h"

#include "core/path_text.h"
#include "quotes/quote_source.h"
#include "quotes/quotes_log.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace dewmoth::quotes {

struct SayingChoice::Worker
{
    std::atomic<bool> cancel = false;
    std::mutex mutex;
    std::optional<CollectionRead> result; // under `mutex`
    std::thread thread;
};

SayingChoice::SayingChoice(Pick pick) : m_pick(std::move(pick)) {}

SayingChoice::~SayingChoice()
{
    stopIndexing();
}

void SayingChoice::stopIndexing()
{
    if (!m_worker)
        return;
    m_worker->cancel = true;
    m_worker->thread.join();
    m_worker.reset();
}

void SayingChoice::indexAside()
{
    stopIndexing();
    m_worker = std::make_unique<Worker>();
    Worker *worker = m_worker.get();
    worker->thread = std::thread([worker, sources = m_sources, onIndexed = m_onIndexed] {
        CollectionRead result = readSources(sources, {0, &worker->cancel});
        if (worker->cancel)
            return;
        {
            const std::lock_guard lock(worker->mutex);
            worker->result = std::move(result);
        }
        if (onIndexed)
            onIndexed();
    });
}

bool SayingChoice::adopt()
{
    if (!m_worker)
        return false;
    std::optional<CollectionRead> result;
    {
        const std::lock_guard lock(m_worker->mutex);
        result.swap(m_worker->result);
    }
    if (!result)
        return false;
    m_worker->thread.join();
    m_worker.reset();
    if (result->status != LoadStatus::Loaded) {
        qCWarning(lcQuotes) << "keeping the sayings read before: the quote file"
                            << core::pathText(result->failedPath) << "could not be read:"
                            << QString::fromLocal8Bit(result->failure.detail.c_str());
        return false;
    }
    const bool nothingShown = m_position < 1 || m_position > m_tips.count();
    const bool sameFile = m_tips.partial(); // the rest of the head that serves
    m_tips = std::move(result->collection);
    if (!sameFile)
        forgetHistory();
    m_followed = true;
    m_freshlyAdopted = true;
    qCInfo(lcQuotes) << "the quote file is indexed; it holds" << m_tips.count() << "sayings";
    if (nothingShown || m_position > m_tips.count())
        pick();
    return true;
}

LoadStatus SayingChoice::load(const Sources &sources)
{
    stopIndexing();
    m_sources = sources;
    m_random = clockSeededRandom();
    m_loadFailure = {};
    // The head first, so that a saying shows at once, whatever the size of the files.
    CollectionRead result = readSources(sources, {kWaitBytes, nullptr}, true);
    m_failedPath = result.failedPath;
    if (result.status == LoadStatus::Unreadable) {
        qCWarning(lcQuotes) << "cannot read quote file" << core::pathText(result.failedPath)
                            << QString::fromLocal8Bit(result.failure.detail.c_str());
        m_loadFailure = result.failure;
    }
    if (result.status != LoadStatus::Loaded)
        return result.status;
    m_tips = std::move(result.collection);
    m_position = 0;
    forgetHistory();
    pick(); // the files were just read: no need to look whether they changed
    if (m_tips.partial())
        indexAside();
    return LoadStatus::Loaded;
}

void SayingChoice::next()
{
    follow(false);
    if (m_historyAt + 1 < m_history.size()) {
        m_position = m_history[++m_historyAt];
        return;
    }
    pick();
}

bool SayingChoice::back()
{
    if (m_historyAt == 0 || m_history.empty())
        return false;
    m_position = m_history[--m_historyAt];
    return true;
}

void SayingChoice::forgetHistory()
{
    // Positions name other lines in another version of the file: only the one shown stays.
    m_history.clear();
    m_historyAt = 0;
    if (m_position >= 1 && m_position <= m_tips.count())
        m_history.push_back(m_position);
}

std::optional<qint32> SayingChoice::ordered()
{
    // Only a whole file has a place in an order: a list of its head would start a new one.
    if (!m_order || m_tips.path().empty() || m_tips.partial())
        return std::nullopt;
    return m_order->next(m_tips.id());
}

void SayingChoice::pick()
{
    constexpr std::size_t kKept = 100;
    const qint32 n = m_tips.count();
    if (n < 1)
        m_position = 1;
    else if (m_pick)
        m_position = m_pick(n);
    else if (const std::optional<qint32> next = ordered())
        m_position = *next;
    else
        m_position = pickNextPosition(n, m_position, m_random);
    if (n < 1)
        return;
    if (m_history.size() == kKept)
        m_history.erase(m_history.begin());
    m_history.push_back(m_position);
    m_historyAt = m_history.size() - 1;
}

std::optional<QString> SayingChoice::current(qsizetype maxChars)
{
    if (m_position < 1 || m_position > m_tips.count())
        return std::nullopt;
    std::optional<QString> text = m_tips.read(m_position, maxChars);
    // Shortened between the look at the file and the read: index it as it is now. Not again
    // for an index just made aside: a file that fails every read would be indexed forever.
    const bool fresh = std::exchange(m_freshlyAdopted, false);
    if (!text && !fresh && follow(true) && m_position <= m_tips.count())
        text = m_tips.read(m_position, maxChars);
    return text;
}

bool SayingChoice::follow(bool evenIfSame)
{
    if (adopt())
        return true;
    if (indexing())
        return false; // what was indexed before serves until the new index is ready
    const FileCheck check = followCollection(m_tips, evenIfSame ? m_position : 0, kWaitBytes);
    switch (check.change) {
    case FileChange::None:
        return false;
    case FileChange::Aside:
        indexAside();
        return false;
    case FileChange::Reindexed:
        m_followWarning.clear();
        m_followed = true;
        qCInfo(lcQuotes) << "the quote file changed; it now holds" << m_tips.count() << "sayings";
        forgetHistory();
        return true;
    case FileChange::Vanished:
    case FileChange::Unreadable:
        if (check.why != m_followWarning) // once, not at every "Next Tip"
            qCWarning(lcQuotes) << "keeping the sayings read before:" << check.why;
        m_followWarning = check.why;
        return false;
    }
    return false;
}

} // namespace dewmoth::quotes
