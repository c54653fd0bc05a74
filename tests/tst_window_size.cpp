// Reading back and writing the remembered window size.
#include "quote_window/window_size.h"

#include <QTest>

using namespace dewmoth::quote_window;

class TestWindowSize : public QObject
{
    Q_OBJECT

private slots:
    void restore_data();
    void restore();
    void format_data();
    void format();
};

void TestWindowSize::restore_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("present");
    QTest::addColumn<double>("expected");

    // Design fallback 6915, screen 20000 twips.
    QTest::newRow("absent keeps the design size") << QString() << false << 6915.0;
    QTest::newRow("digits") << "8115" << true << 8115.0;
    QTest::newRow("blank around digits") << " 8115 " << true << 8115.0;
    QTest::newRow("fraction") << "8115.5" << true << 8115.5;
    QTest::newRow("not a number") << "wide" << true << 6915.0;
    QTest::newRow("empty text") << "" << true << 6915.0;
    QTest::newRow("zero") << "0" << true << 6915.0;
    QTest::newRow("negative") << "-300" << true << 6915.0;
    QTest::newRow("infinite") << "inf" << true << 6915.0;
    QTest::newRow("not a number at all") << "nan" << true << 6915.0;
    QTest::newRow("larger than the screen") << "99999" << true << 20000.0;
    QTest::newRow("beyond single precision") << "1e40" << true << 6915.0;
}

void TestWindowSize::restore()
{
    QFETCH(QString, stored);
    QFETCH(bool, present);
    QFETCH(double, expected);
    const std::optional<QString> value = present ? std::optional<QString>(stored) : std::nullopt;
    QCOMPARE(restoreTwips(value, 6915, 20000), expected);
}

void TestWindowSize::format_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 6915.0 << "6915";
    QTest::newRow("large, no group separators") << 123456.0 << "123456";
    QTest::newRow("rounded") << 6914.6 << "6915";
}

void TestWindowSize::format()
{
    QFETCH(double, twips);
    QFETCH(QString, text);
    QCOMPARE(formatTwips(twips), text);
}

QTEST_GUILESS_MAIN(TestWindowSize)
#include "tst_window_size.moc"
