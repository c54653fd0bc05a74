// The quote window's layout arithmetic, in twips and free of widgets: the distances captured
// from the design arrangement, the arrangement for any client size, and the background tiles.
#pragma once

#include "widgets/twips.h"

#include <QRectF>
#include <QtGlobal>

namespace dewmoth::quote_window {

using widgets::kTwipsPerPixel;

// Distances the layout keeps between controls and the window's edges, captured once.
struct LayoutDistances
{
    qint32 OKRightDistance = 0;
    qint32 NextTipRightDistance = 0;
    qint32 AboutRightDistance = 0;
    qint32 PanelWidthSlack = 0;
    qint32 PanelHeightSlack = 0;
    qint32 StartupBottomDistance = 0;
    qint32 DescriptionBottomDistance = 0;
    qint32 LinkBottomDistance = 0;
    qint32 TipTextWidthSlack = 0;
    qint32 TipTextHeightSlack = 0;

    friend bool operator==(const LayoutDistances &, const LayoutDistances &) = default;
};

// The measures that the layout reads or moves, in twips.
struct Arrangement
{
    float okLeft = 0;
    float nextTipLeft = 0;
    float aboutLeft = 0;
    float panelWidth = 0;
    float panelHeight = 0;
    float startupTop = 0;      // chkLoadTipsAtStartup
    float startupLabelTop = 0; // lblStartup
    float descriptionTop = 0;
    float linkTop = 0;
    float tipTextWidth = 0;
    float tipTextHeight = 0;

    friend bool operator==(const Arrangement &, const Arrangement &) = default;
};

// The panel's own border: its outer size minus its inner size, per axis.
struct PanelBorder
{
    float width = 0;
    float height = 0;
};

LayoutDistances captureDistances(float clientWidth, float clientHeight, const Arrangement &design,
                                 PanelBorder border);

// The arrangement for a client area. A width or height that would come out negative is
// refused and keeps its value from `previous`; positions may go negative.
Arrangement layOut(float clientWidth, float clientHeight, const LayoutDistances &distances,
                   PanelBorder border, const Arrangement &previous);

// Copies of the background picture covering the client area, laid row by row from the top
// left: every tile starts inside the client or on its edge. The window paints the area they
// cover, in twips.
struct TileModel
{
    double tileWidth = 0;
    double tileHeight = 0;
    qint64 columns = 0;
    qint64 rows = 0;

    qint64 count() const { return columns * rows; }
    QRectF covered() const
    {
        return {0, 0, tileWidth * double(columns), tileHeight * double(rows)};
    }
};

TileModel layTiles(float clientWidth, float clientHeight, double tileWidth, double tileHeight);

} // namespace dewmoth::quote_window
