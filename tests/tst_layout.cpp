// The layout arithmetic: distances captured from the design, the arrangement at any size, the
// background tiles.
#include "quote_window/layout.h"

#include <QTest>

using namespace dewmoth::quote_window;

namespace {

// The design arrangement with a panel border of 2 pixels (30 twips) on every side.
constexpr float kDesignWidth = 6795;
constexpr float kDesignHeight = 5070;
constexpr PanelBorder kBorder{60, 60};

Arrangement design()
{
    Arrangement a;
    a.okLeft = a.nextTipLeft = a.aboutLeft = 5280;
    a.panelWidth = 4935;
    a.panelHeight = 3315;
    a.startupTop = 4620;
    a.startupLabelTop = 4680;
    a.descriptionTop = 3600;
    a.linkTop = 4080;
    a.tipTextWidth = 3735;
    a.tipTextHeight = 1875;
    return a;
}

LayoutDistances designDistances()
{
    return captureDistances(kDesignWidth, kDesignHeight, design(), kBorder);
}

} // namespace

Q_DECLARE_METATYPE(Arrangement)

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void captureAtDesign();
    void captureRoundsHalvesToEven();
    void arrangement_data();
    void arrangement();
    void shrinkBelowSlackAndBack();
    void tiles_data();
    void tiles();
};

void TestLayout::captureAtDesign()
{
    const LayoutDistances d = designDistances();
    QCOMPARE(d.OKRightDistance, 1515);
    QCOMPARE(d.NextTipRightDistance, 1515);
    QCOMPARE(d.AboutRightDistance, 1515);
    QCOMPARE(d.PanelWidthSlack, 1860);
    QCOMPARE(d.PanelHeightSlack, 1755);
    QCOMPARE(d.StartupBottomDistance, 450);
    QCOMPARE(d.DescriptionBottomDistance, 1470);
    QCOMPARE(d.LinkBottomDistance, 990);
    QCOMPARE(d.TipTextWidthSlack, 1140);
    QCOMPARE(d.TipTextHeightSlack, 1380);
}

void TestLayout::captureRoundsHalvesToEven()
{
    Arrangement a = design();
    a.okLeft = 5279.5f;      // 1515.5 -> 1516
    a.nextTipLeft = 5280.5f; // 1514.5 -> 1514
    const LayoutDistances d = captureDistances(kDesignWidth, kDesignHeight, a, kBorder);
    QCOMPARE(d.OKRightDistance, 1516);
    QCOMPARE(d.NextTipRightDistance, 1514);
}

void TestLayout::arrangement_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<Arrangement>("expected");

    Arrangement atDesign = design();
    atDesign.startupLabelTop = 4620; // levelled with the check box
    QTest::newRow("design size") << kDesignWidth << kDesignHeight << atDesign;

    Arrangement wider = atDesign;
    wider.okLeft = wider.nextTipLeft = wider.aboutLeft = 6280;
    wider.panelWidth = 5935;
    wider.tipTextWidth = 4735;
    QTest::newRow("1000 wider") << kDesignWidth + 1000 << kDesignHeight << wider;

    Arrangement higher = atDesign;
    higher.panelHeight = 3915;
    higher.tipTextHeight = 2475;
    higher.startupTop = higher.startupLabelTop = 5220;
    higher.descriptionTop = 4200;
    higher.linkTop = 4680;
    QTest::newRow("600 higher") << kDesignWidth << kDesignHeight + 600 << higher;

    Arrangement huge = atDesign;
    huge.okLeft = huge.nextTipLeft = huge.aboutLeft = 491505 - 1515;
    huge.panelWidth = 491505 - 1860;
    huge.tipTextWidth = 491505 - 1860 - 60 - 1140;
    huge.panelHeight = 491505 - 1755;
    huge.tipTextHeight = 491505 - 1755 - 60 - 1380;
    huge.startupTop = huge.startupLabelTop = 491505 - 450;
    huge.descriptionTop = 491505 - 1470;
    huge.linkTop = 491505 - 990;
    QTest::newRow("32767 pixels square") << 491505.f << 491505.f << huge;
}

void TestLayout::arrangement()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(Arrangement, expected);
    QCOMPARE(layOut(width, height, designDistances(), kBorder, design()), expected);
}

void TestLayout::shrinkBelowSlackAndBack()
{
    const LayoutDistances d = designDistances();
    const Arrangement bigger = layOut(8000, 6000, d, kBorder, design());

    // Narrower than the panel's slack: sizes keep their last value, positions go negative.
    const Arrangement tiny = layOut(1000, 1000, d, kBorder, bigger);
    QCOMPARE(tiny.panelWidth, bigger.panelWidth);
    QCOMPARE(tiny.panelHeight, bigger.panelHeight);
    QCOMPARE(tiny.tipTextWidth, bigger.tipTextWidth);
    QCOMPARE(tiny.tipTextHeight, bigger.tipTextHeight);
    QCOMPARE(tiny.okLeft, -515.f);
    QCOMPARE(tiny.startupTop, 550.f);
    QCOMPARE(tiny.descriptionTop, -470.f);

    // Between the two slacks: the panel may shrink, the quote label may not.
    const Arrangement narrow = layOut(2500, 5070, d, kBorder, bigger);
    QCOMPARE(narrow.panelWidth, 640.f);
    QCOMPARE(narrow.tipTextWidth, bigger.tipTextWidth);

    const Arrangement zero = layOut(0, 0, d, kBorder, tiny);
    QCOMPARE(zero.panelWidth, bigger.panelWidth);

    QCOMPARE(layOut(8000, 6000, d, kBorder, zero), bigger);
    Arrangement atDesign = design();
    atDesign.startupLabelTop = 4620;
    QCOMPARE(layOut(kDesignWidth, kDesignHeight, d, kBorder, zero), atDesign);
}

void TestLayout::tiles_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<qint64>("columns");
    QTest::addColumn<qint64>("rows");

    QTest::newRow("design size") << 6795.f << 5070.f << qint64(2) << qint64(2);
    QTest::newRow("exactly one tile wide") << 6600.f << 4589.f << qint64(2) << qint64(1);
    QTest::newRow("one twip short") << 6599.f << 4590.f << qint64(1) << qint64(2);
    QTest::newRow("0 x 0") << 0.f << 0.f << qint64(1) << qint64(1);
    QTest::newRow("negative") << -100.f << -5.f << qint64(1) << qint64(1);
    QTest::newRow("1600 x 1200 pixels") << 24000.f << 18000.f << qint64(4) << qint64(4);
    QTest::newRow("3840 x 2160 pixels") << 57600.f << 32400.f << qint64(9) << qint64(8);
    QTest::newRow("32767 pixels square") << 491505.f << 491505.f << qint64(75) << qint64(108);
    // Far beyond any screen: counts past the 16-bit range neither wrap nor allocate.
    QTest::newRow("huge") << 1e9f << 1e9f << qint64(151516) << qint64(217865);
}

void TestLayout::tiles()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(qint64, columns);
    QFETCH(qint64, rows);
    const TileModel model = layTiles(width, height, 6600, 4590);
    QCOMPARE(model.columns, columns);
    QCOMPARE(model.rows, rows);
    QCOMPARE(model.count(), columns * rows);
    // Every tile starts inside the client or on its edge, and together they cover it.
    const QRectF covered = model.covered();
    QVERIFY(covered.width() - 6600 <= qMax(0.f, width));
    QVERIFY(covered.height() - 4590 <= qMax(0.f, height));
    QVERIFY(covered.width() > width && covered.height() > height);
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
