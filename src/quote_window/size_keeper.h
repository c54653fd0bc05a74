// The quote window's outer size over its life: restored from the settings store before the
// first show, corrected once the window manager's frame is known (never smaller than the window
// can be used at, never larger than its screen, centred there), stored again at close.
#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace dewmoth::quote_window {

class SizeKeeper : public QObject
{
    Q_OBJECT
public:
    // `smallestClient`: below this the window's controls are cut off; `designClient`: what an
    // unusable stored size falls back to. `application` names the window in the store.
    SizeKeeper(QWidget *window, QString application, std::function<QSize()> smallestClient,
               QSize designClient);

    // Before the first show: the stored size, applied to the client until the frame is known.
    void restore();
    // From the window's show event: starts watching for the first expose.
    void watch();
    // From the window's close: stores the outer size (not before the window was ever shown,
    // when its frame and so its outer size are unknown).
    void store();

    bool exposed() const { return m_exposed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyOuterSize(const QMargins &frame);

    QWidget *m_window;
    QString m_application;
    std::function<QSize()> m_smallestClient;
    QSize m_designClient;
    std::optional<QSize> m_pendingOuter; // restored outer size, applied once frames are known
    bool m_exposed = false;
    bool m_watching = false;
};

} // namespace dewmoth::quote_window
