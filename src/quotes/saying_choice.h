// Which saying the quote window shows: the sayings of the collection, the position shown, the
// pick of the next one (never the same twice in a row) and the following of edits to its files.
// No widgets: the window asks for the text and shows it. Large files are indexed on a worker
// thread, so that the window never waits on them: meanwhile the head of the collection serves
// (at start) or the index made before (after an edit).
#pragma once

#include "quotes/collection.h"
#include "quotes/quote_source.h"
#include "quotes/saying_order.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace dewmoth::quotes {

class SayingChoice
{
public:
    // Files up to this size are indexed at once (a few milliseconds); larger ones aside.
    static constexpr std::uint64_t kWaitBytes = std::uint64_t(4) << 20;

    // A position 1..n for a list of n; empty: uniform, from a generator seeded at load.
    using Pick = std::function<qint32(qint32 n)>;
    explicit SayingChoice(Pick pick = {});
    ~SayingChoice();
    SayingChoice(const SayingChoice &) = delete;
    SayingChoice &operator=(const SayingChoice &) = delete;

    // The order kept across runs that picks come from (when there is none, or it cannot be
    // used, they are uniform at random).
    void setOrder(std::shared_ptr<SayingOrder> order) { m_order = std::move(order); }

    // Called on the worker thread when an index made aside is ready: the owner then calls
    // adopt() on its own thread.
    void setOnIndexed(std::function<void()> onIndexed) { m_onIndexed = std::move(onIndexed); }
    // Takes an index made aside, when one is ready; whether the list changed.
    bool adopt();
    bool indexing() const { return m_worker != nullptr; }

    // Reads the collection and picks the first saying. When it is missing or cannot be read,
    // the list stays as it was and loadFailure() says why (none for a missing file), about
    // failedPath().
    LoadStatus load(const Sources &sources);
    LoadStatus load(const std::filesystem::path &file) { return load(singleFile(file)); }
    const core::Failure &loadFailure() const { return m_loadFailure; }
    const std::filesystem::path &failedPath() const { return m_failedPath; }

    // Indexes the file anew when it changed since, then goes forward: again through what back()
    // went back over, else to a new pick.
    void next();
    // Goes back to the saying shown before this one in this window (the last 100 are kept);
    // whether there was one.
    bool back();

    // The saying at the current position, at most `maxChars` UTF-16 units of it; nothing when
    // there is none (an empty list) or the file no longer holds it.
    std::optional<QString> current(qsizetype maxChars);

    // Whether an edit left the file without any saying: what was shown should go.
    bool emptied() const { return m_followed && m_tips.count() == 0; }

    qint32 position() const { return m_position; }
    const Collection &tips() const { return m_tips; }

private:
    void pick();
    std::optional<qint32> ordered();
    void forgetHistory();
    // Indexes the file anew when it changed (`evenIfSame`: in any case); whether it did.
    bool follow(bool evenIfSame);

    void indexAside();
    void stopIndexing();

    struct Worker;
    std::unique_ptr<Worker> m_worker;
    std::function<void()> m_onIndexed;
    Pick m_pick;
    std::shared_ptr<SayingOrder> m_order;
    std::mt19937 m_random;
    std::vector<qint32> m_history; // the positions shown, oldest first
    std::size_t m_historyAt = 0;   // where in it the position shown is
    Sources m_sources;
    Collection m_tips;
    qint32 m_position = 0;
    core::Failure m_loadFailure;
    std::filesystem::path m_failedPath;
    QString m_followWarning; // why the file could not be followed, last said
    bool m_followed = false;
    bool m_freshlyAdopted = false;
};

} // namespace dewmoth::quotes
