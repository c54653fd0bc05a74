#include "quote_window/layout.h"

#include <cmath>

namespace dewmoth::quote_window {

namespace {

qint32 roundHalfEven(double value)
{
    return qint32(std::nearbyint(value)); // the default rounding mode breaks ties to even
}

void setSize(float &target, double value)
{
    if (value >= 0)
        target = float(value);
}

// Tiles that start at or before `extent` along one axis: the first always, then one more for
// every step whose start, narrowed to single precision, is still within the client.
qint64 tilesAlong(float extent, double step)
{
    if (!(extent >= 0) || !(step > 0))
        return 1;
    auto n = qint64(std::floor(double(extent) / step));
    while (float(step * double(n + 1)) <= extent)
        ++n;
    while (n > 0 && float(step * double(n)) > extent)
        --n;
    return n + 1;
}

} // namespace

LayoutDistances captureDistances(float clientWidth, float clientHeight, const Arrangement &design,
                                 PanelBorder border)
{
    const double w = clientWidth;
    const double h = clientHeight;
    LayoutDistances d;
    d.OKRightDistance = roundHalfEven(w - design.okLeft);
    d.NextTipRightDistance = roundHalfEven(w - design.nextTipLeft);
    d.AboutRightDistance = roundHalfEven(w - design.aboutLeft);
    d.PanelWidthSlack = roundHalfEven(w - design.panelWidth);
    d.PanelHeightSlack = roundHalfEven(h - design.panelHeight);
    d.StartupBottomDistance = roundHalfEven(h - design.startupTop);
    d.DescriptionBottomDistance = roundHalfEven(h - design.descriptionTop);
    d.LinkBottomDistance = roundHalfEven(h - design.linkTop);
    d.TipTextWidthSlack =
        roundHalfEven(double(design.panelWidth) - border.width - design.tipTextWidth);
    d.TipTextHeightSlack =
        roundHalfEven(double(design.panelHeight) - border.height - design.tipTextHeight);
    return d;
}

Arrangement layOut(float clientWidth, float clientHeight, const LayoutDistances &d,
                   PanelBorder border, const Arrangement &previous)
{
    const double w = clientWidth;
    const double h = clientHeight;
    Arrangement a = previous;
    a.okLeft = float(w - d.OKRightDistance);
    a.nextTipLeft = float(w - d.NextTipRightDistance);
    a.aboutLeft = float(w - d.AboutRightDistance);
    setSize(a.panelWidth, w - d.PanelWidthSlack);
    setSize(a.panelHeight, h - d.PanelHeightSlack);
    a.startupTop = float(h - d.StartupBottomDistance);
    a.descriptionTop = float(h - d.DescriptionBottomDistance);
    a.linkTop = float(h - d.LinkBottomDistance);
    a.startupLabelTop = a.startupTop;
    setSize(a.tipTextWidth, double(a.panelWidth) - border.width - d.TipTextWidthSlack);
    setSize(a.tipTextHeight, double(a.panelHeight) - border.height - d.TipTextHeightSlack);
    return a;
}

TileModel layTiles(float clientWidth, float clientHeight, double tileWidth, double tileHeight)
{
    TileModel model;
    model.tileWidth = tileWidth;
    model.tileHeight = tileHeight;
    model.columns = tilesAlong(clientWidth, tileWidth);
    model.rows = tilesAlong(clientHeight, tileHeight);
    return model;
}

} // namespace dewmoth::quote_window
