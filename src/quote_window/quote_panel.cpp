#include "quote_window/quote_panel.h"

#include "widgets/dialog_style.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

namespace dewmoth::quote_window {

void tileRegion(QPainter &painter, const QRegion &region, const QPixmap &tile)
{
    constexpr int kBandRows = 64;
    constexpr qint64 kSharedArea = 1 << 20;
    for (const QRect &area : region) {
        const int rows =
            qint64(area.width()) * area.height() < kSharedArea ? kBandRows : area.height();
        for (int top = area.top(); top <= area.bottom(); top += rows) {
            const QRect band(area.left(), top, area.width(), qMin(rows, area.bottom() - top + 1));
            painter.drawTiledPixmap(band, tile, band.topLeft());
        }
    }
}

QuotePanel::QuotePanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(kEdge, kEdge, kEdge, kEdge);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
}

void QuotePanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    tileRegion(painter, event->region(), faceStrip());
    const QRect r = rect();
    const auto strip = [&](int x, int y, int w, int h, QColor colour) {
        painter.fillRect(QRect(x, y, w, h), colour);
    };
    const QColor shadow(128, 128, 128), darkShadow(0, 0, 0);
    const QColor highlight(255, 255, 255), light(223, 223, 223);
    strip(r.left(), r.top(), r.width(), 1, shadow);
    strip(r.left(), r.top(), 1, r.height(), shadow);
    strip(r.left(), r.bottom(), r.width(), 1, highlight);
    strip(r.right(), r.top(), 1, r.height(), highlight);
    strip(r.left() + 1, r.top() + 1, r.width() - 2, 1, darkShadow);
    strip(r.left() + 1, r.top() + 1, 1, r.height() - 2, darkShadow);
    strip(r.left() + 1, r.bottom() - 1, r.width() - 2, 1, light);
    strip(r.right() - 1, r.top() + 1, 1, r.height() - 2, light);
    painter.end();
    widgets::paintFocusFrame(this, contentsRect().adjusted(1, 1, -1, -1));
}

void QuotePanel::keyPressEvent(QKeyEvent *event)
{
    if (m_keyHandler && event->modifiers() == Qt::NoModifier && m_keyHandler(event))
        return;
    QFrame::keyPressEvent(event);
}

// Wider than the widest screens, so that a row of the face is one copy.
const QPixmap &QuotePanel::faceStrip()
{
    const QColor colour = palette().color(QPalette::Window);
    const qreal ratio = devicePixelRatioF();
    if (m_face.isNull() || m_faceColour != colour || m_face.devicePixelRatio() != ratio) {
        QImage strip(QSize(4096, 4) * ratio, QImage::Format_RGB32);
        strip.fill(colour);
        strip.setDevicePixelRatio(ratio);
        m_face = QPixmap::fromImage(strip);
        m_faceColour = colour;
    }
    return m_face;
}

} // namespace dewmoth::quote_window
