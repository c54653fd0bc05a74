#include "quotes/saying_choice.h"

#include "core/path_text.h"
#include "quotes/quote_source.h"
#include "quotes/quotes_log.h"

namespace dewmoth::quotes {

SayingChoice::SayingChoice(Pick pick) : m_pick(std::move(pick)) {}

LoadStatus SayingChoice::load(const std::filesystem::path &file)
{
    m_random = clockSeededRandom();
    m_loadFailure = {};
    QuoteFileResult result = readQuoteFile(file);
    if (result.status == LoadStatus::Unreadable) {
        qCWarning(lcQuotes) << "cannot read quote file" << core::pathText(file)
                            << QString::fromLocal8Bit(result.failure.detail.c_str());
        m_loadFailure = result.failure;
    }
    if (result.status != LoadStatus::Loaded)
        return result.status;
    m_tips = std::move(result.tips);
    pick(); // the file was just read: no need to look whether it changed
    return LoadStatus::Loaded;
}

void SayingChoice::next()
{
    follow(false);
    pick();
}

void SayingChoice::pick()
{
    const qint32 n = m_tips.count();
    if (n < 1)
        m_position = 1;
    else if (m_pick)
        m_position = m_pick(n);
    else
        m_position = pickNextPosition(n, m_position, m_random);
}

std::optional<QString> SayingChoice::current(qsizetype maxChars)
{
    if (m_position < 1 || m_position > m_tips.count())
        return std::nullopt;
    std::optional<QString> text = m_tips.read(m_position, maxChars);
    // Shortened between the look at the file and the read: index it as it is now.
    if (!text && follow(true) && m_position <= m_tips.count())
        text = m_tips.read(m_position, maxChars);
    return text;
}

bool SayingChoice::follow(bool evenIfSame)
{
    const FileCheck check = followQuoteFile(m_tips, evenIfSame);
    switch (check.change) {
    case FileChange::None:
        return false;
    case FileChange::Reindexed:
        m_followWarning.clear();
        m_followed = true;
        qCInfo(lcQuotes) << "the quote file changed; it now holds" << m_tips.count() << "sayings";
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
