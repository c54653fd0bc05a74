#include "quote_window/size_keeper.h"

#include "core/settings_store.h"
#include "quote_window/quote_window_log.h"
#include "quote_window/window_size.h"
#include "widgets/twips.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace dewmoth::quote_window {

using widgets::kTwipsPerPixel;
using widgets::toPixels;

namespace {

const QString kSizeWidthKey = QStringLiteral("size/Width");
const QString kSizeHeightKey = QStringLiteral("size/Height");

} // namespace

SizeKeeper::SizeKeeper(QWidget *window, QString application, std::function<QSize()> smallestClient,
                       QSize designClient)
    : QObject(window), m_window(window), m_application(std::move(application)),
      m_smallestClient(std::move(smallestClient)), m_designClient(designClient)
{}

void SizeKeeper::restore()
{
    const core::StoredSettings stored =
        core::readSettings(m_application, {kSizeWidthKey, kSizeHeightKey});
    if (!stored.error.isEmpty())
        qCWarning(lcQuoteWindow) << "cannot read stored window size from"
                                 << core::settingsLocation(m_application) << stored.error;
    const QScreen *s = m_window->screen();
    const QSize available = s ? s->availableGeometry().size() : QSize();
    const QSize smallest = m_smallestClient();
    const auto restore = [&](const QString &key, int current, int availablePx, int smallestPx) {
        const auto found = stored.values.constFind(key);
        if (found == stored.values.constEnd())
            return std::optional<int>();
        const std::optional<double> twips = parseStoredTwips(*found);
        // An outer size below the smallest client is smaller still inside its frame.
        if (!twips || toPixels(*twips) < smallestPx) {
            // As if nothing were stored: the design size stays.
            qCWarning(lcQuoteWindow) << "ignoring stored" << key << *found;
            return std::optional<int>();
        }
        return std::optional<int>(
            toPixels(restoreTwips(*found, current * kTwipsPerPixel, availablePx * kTwipsPerPixel)));
    };
    const std::optional<int> w =
        restore(kSizeWidthKey, m_window->width(), available.width(), smallest.width());
    const std::optional<int> h =
        restore(kSizeHeightKey, m_window->height(), available.height(), smallest.height());
    if (!w && !h)
        return;
    // The frame is unknown until the window is first exposed; the outer size is set on the
    // client now and corrected by the frame then.
    m_pendingOuter = QSize(w.value_or(-1), h.value_or(-1));
    m_window->resize(w.value_or(m_window->width()), h.value_or(m_window->height()));
}

void SizeKeeper::watch()
{
    if (QWindow *window = m_window->windowHandle(); window && !m_watching) {
        window->installEventFilter(this);
        m_watching = true;
    }
}

bool SizeKeeper::eventFilter(QObject *watched, QEvent *event)
{
    QWindow *window = m_window->windowHandle();
    if (event->type() == QEvent::Expose && watched == window && !m_exposed && window->isExposed()) {
        m_exposed = true;
        const QMargins frame = window->frameMargins();
        // The end-to-end scripts wait for these words (tests/e2e/*.sh).
        qCDebug(lcQuoteWindow) << "first expose, frame" << frame;
        applyOuterSize(frame);
    }
    return QObject::eventFilter(watched, event);
}

void SizeKeeper::applyOuterSize(const QMargins &frame)
{
    QSize client = m_window->size();
    if (m_pendingOuter) {
        if (m_pendingOuter->width() >= 0)
            client.setWidth(m_pendingOuter->width() - frame.left() - frame.right());
        if (m_pendingOuter->height() >= 0)
            client.setHeight(m_pendingOuter->height() - frame.top() - frame.bottom());
        m_pendingOuter.reset();
    }
    // Inside a real frame a stored size can still leave the OK button cut off.
    const QSize smallest = m_smallestClient();
    if (client.width() < smallest.width() || client.height() < smallest.height()) {
        qCWarning(lcQuoteWindow) << "stored size leaves" << client << "inside the frame;"
                                 << "using the design size";
        if (client.width() < smallest.width())
            client.setWidth(m_designClient.width());
        if (client.height() < smallest.height())
            client.setHeight(m_designClient.height());
    }
    // The whole window on its screen, also where the screen is smaller than the design.
    const QRect area = m_window->screen() ? m_window->screen()->availableGeometry() : QRect();
    if (area.isValid())
        client = client.boundedTo(area.size().shrunkBy(frame)).expandedTo(smallest);
    if (client != m_window->size())
        m_window->resize(client);
    // Centred with the real frame: the toolkit placed the window with a guess of it.
    if (area.isValid()) {
        QRect outer = m_window->frameGeometry();
        outer.moveCenter(area.center());
        outer.moveTopLeft(QPoint(qMax(area.left(), outer.left()), qMax(area.top(), outer.top())));
        if (outer.topLeft() != m_window->frameGeometry().topLeft())
            m_window->move(outer.topLeft());
    }
}

void SizeKeeper::store()
{
    if (!m_exposed) {
        // Frames are unknown until then; storing now would record the wrong outer size.
        qCDebug(lcQuoteWindow) << "closed before it was shown; size not stored";
        return;
    }
    const QSize outer = m_window->windowHandle()->frameGeometry().size();
    const QString failure = core::storeSettings(
        m_application, {{kSizeWidthKey, formatTwips(outer.width() * kTwipsPerPixel)},
                        {kSizeHeightKey, formatTwips(outer.height() * kTwipsPerPixel)}});
    if (!failure.isEmpty())
        qCWarning(lcQuoteWindow) << "cannot store window size in"
                                 << core::settingsLocation(m_application) << failure;
}

} // namespace dewmoth::quote_window
