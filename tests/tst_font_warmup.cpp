// The start-up font worker: it must never keep a start waiting, whether or not the application
// object comes to exist, and with one it must leave Qt's font database filled.
#include "app/font_warmup.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTest>

using dewmoth::app::FontWarmup;

class TestFontWarmup : public QObject
{
    Q_OBJECT
private slots:
    void endsWithoutApplication_data();
    void endsWithoutApplication();
    void fillsFontDatabase();
};

void TestFontWarmup::endsWithoutApplication_data()
{
    QTest::addColumn<bool>("finishFirst");
    QTest::newRow("destroyed") << false;
    QTest::newRow("finished, then destroyed") << true;
}

void TestFontWarmup::endsWithoutApplication()
{
    QFETCH(bool, finishFirst);
    FontWarmup fonts;
    if (finishFirst) {
        fonts.finish();
        fonts.finish();
    }
}

void TestFontWarmup::fillsFontDatabase()
{
    FontWarmup fonts;
    int argc = 1;
    char name[] = "tst_font_warmup";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    fonts.applicationCreated();
    fonts.applicationCreated();
    fonts.finish();
    QVERIFY(!QFontDatabase::families().isEmpty());
}

QTEST_APPLESS_MAIN(TestFontWarmup)
#include "tst_font_warmup.moc"
