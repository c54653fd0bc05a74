// The start-up font worker: it must never keep a start waiting, whether or not the application
// object comes to exist, and with one it must leave Qt's font database filled. Moving it to
// another processor must not leave it tied to the others.
#include "app/font_warmup.h"
#include "app/thread_placement.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTest>

#include <condition_variable>
#include <latch>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <sched.h>

using dewmoth::app::FontWarmup;

namespace {

// Ends the whole test with a message when a case is still running after ten seconds, instead of
// leaving it to the CTest time-out.
class Watchdog
{
public:
    explicit Watchdog(const char *what)
        : m_thread([what](std::stop_token stop) {
              std::mutex mutex;
              std::condition_variable_any wake;
              std::unique_lock lock(mutex);
              wake.wait_for(lock, stop, std::chrono::seconds(10), [] { return false; });
              if (!stop.stop_requested())
                  qFatal("%s: still running after 10 s", what);
          })
    {}

private:
    std::jthread m_thread;
};

} // namespace

class TestFontWarmup : public QObject
{
    Q_OBJECT
private slots:
    void endsWithoutApplication_data();
    void endsWithoutApplication();
    void fillsFontDatabase();
    void placedThreadMayRunAnywhere();
};

void TestFontWarmup::endsWithoutApplication_data()
{
    QTest::addColumn<bool>("await");
    QTest::addColumn<bool>("finishFirst");
    QTest::newRow("destroyed") << false << false;
    QTest::newRow("finished, then destroyed") << false << true;
    QTest::newRow("awaited, then destroyed") << true << false;
    QTest::newRow("awaited, finished, then destroyed") << true << true;
}

void TestFontWarmup::endsWithoutApplication()
{
    QFETCH(bool, await);
    QFETCH(bool, finishFirst);
    const Watchdog watchdog(QTest::currentDataTag());
    FontWarmup fonts;
    if (await) {
        fonts.awaitFonts();
        fonts.awaitFonts();
    }
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
    fonts.awaitFonts();
    QVERIFY(!QFontDatabase::families().isEmpty());
    fonts.finish();
}

void TestFontWarmup::placedThreadMayRunAnywhere()
{
    cpu_set_t allowed;
    QCOMPARE(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    std::latch done(1);
    std::jthread worker([&done] { done.wait(); });
    dewmoth::app::placeApart(worker);
    cpu_set_t workerSet;
    QCOMPARE(pthread_getaffinity_np(worker.native_handle(), sizeof workerSet, &workerSet), 0);
    done.count_down();
    QVERIFY(CPU_EQUAL(&workerSet, &allowed));
}

QTEST_APPLESS_MAIN(TestFontWarmup)
#include "tst_font_warmup.moc"
