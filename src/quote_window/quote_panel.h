// The quote panel of the quote window, and the tiling its background and face are painted with.
#pragma once

#include <QColor>
#include <QFrame>
#include <QPixmap>

#include <functional>

class QKeyEvent;
class QPainter;
class QRegion;

namespace dewmoth::quote_window {

// Covers `region` with copies of `tile`, its pattern anchored at the painter's origin. The raster
// engine spreads a copy of more than about a hundred rows over its threads, which pays for
// itself only on large areas; a smaller one, like the thin strips of tiles around the quote
// panel, is painted in bands of rows that it keeps on this thread. Whether the bands and the
// face strip below still pay shows in bench/bench_layout.cpp (a resize step against a plain
// window).
void tileRegion(QPainter &painter, const QRegion &region, const QPixmap &tile);

// The quote panel: a sunken, light grey box that can hold the keyboard focus like a control.
// The panel covers most of a large window and is repainted whole at every resize step, so it
// paints itself the cheapest way Qt offers: its face is copied row by row from a wide strip of
// its colour (the raster engine spreads such copies over its threads, where a plain fill runs on
// one), and its two-pixel edge is eight one-pixel strips (the style's shaded-panel routine costs
// more than the whole face).
class QuotePanel : public QFrame
{
public:
    static constexpr int kEdge = 2;

    explicit QuotePanel(QWidget *parent);

    // Keys that the panel's content takes while the panel has the focus (a saying that
    // scrolls); the handler says whether it took the key.
    void setKeyHandler(std::function<bool(const QKeyEvent *)> handler)
    {
        m_keyHandler = std::move(handler);
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const QPixmap &faceStrip();

    QPixmap m_face;
    QColor m_faceColour;
    std::function<bool(const QKeyEvent *)> m_keyHandler;
};

} // namespace dewmoth::quote_window
