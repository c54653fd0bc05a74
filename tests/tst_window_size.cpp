// Reading back and writing the remembered window size, and the store that keeps it: its INI
// text, and a settings folder that others can spoil.
#include "core/settings_store.h"
#include "quote_window/window_size.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN // the settings file and what may stand in its place
#include "core/ini_text.h"
#include "files/guarded_file.h"
#include "unprivileged.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace dewmoth::quote_window;
using namespace dewmoth;

class TestWindowSize : public QObject
{
    Q_OBJECT

private slots:
    void restore_data();
    void restore();
    void format_data();
    void format();
#ifndef Q_OS_WIN
    void iniText_data();
    void iniText();
    void store_data();
    void store();
#endif
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

#ifndef Q_OS_WIN
void TestWindowSize::iniText_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("width"); // the value read before; "-" for none
    QTest::addColumn<QByteArray>("after"); // with size/Width=9000
    QTest::newRow("empty") << QByteArray() << QByteArray("-") << QByteArray("[size]\nWidth=9000\n");
    QTest::newRow("as the store writes it")
        << QByteArray("[size]\nHeight=5000\nWidth=6915\n") << QByteArray("6915")
        << QByteArray("[size]\nHeight=5000\nWidth=9000\n");
    QTest::newRow("blanks, quotes and CRLF")
        << QByteArray("[size]\r\n  Width = \"6915\" \r\n") << QByteArray("6915")
        << QByteArray("[size]\r\nWidth=9000\n");
    QTest::newRow("other sections and comments kept")
        << QByteArray("; mine\n[General]\nWidth=1\n\n[size]\nHeight=5000\n\n[x]\ny=2")
        << QByteArray("-")
        << QByteArray("; mine\n[General]\nWidth=1\n\n[size]\nHeight=5000\nWidth=9000\n\n[x]\ny=2");
    QTest::newRow("repeats dropped") << QByteArray("[size]\nWidth=1\nWidth=2\n") << QByteArray("1")
                                     << QByteArray("[size]\nWidth=9000\n");
    QTest::newRow("no line end, no section")
        << QByteArray("[General]\na=b") << QByteArray("-")
        << QByteArray("[General]\na=b\n\n[size]\nWidth=9000\n");
    QTest::newRow("commented key is no key") << QByteArray("[size]\n;Width=1\n") << QByteArray("-")
                                             << QByteArray("[size]\n;Width=1\nWidth=9000\n");
}

void TestWindowSize::iniText()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, width);
    QFETCH(QByteArray, after);
    const auto read = core::iniValue(before.toStdString(), "size", "Width");
    QCOMPARE(read ? QByteArray::fromStdString(*read) : QByteArray("-"), width);
    const std::string changed = core::iniWithValue(before.toStdString(), "size", "Width", "9000");
    QCOMPARE(QByteArray::fromStdString(changed), after);
    QCOMPARE(core::iniValue(changed, "size", "Width").value_or("-"), std::string("9000"));
}

void TestWindowSize::store_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<bool>("stored");
    const QStringList cases = {"none",
                               "link to a file elsewhere",
                               "lock file is a folder",
                               "FIFO",
                               "link to a device",
                               "read-only folder with a lock left",
                               "unreadable file",
                               "lock held by another process",
                               "full disk"};
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << name << (cases.indexOf(name) < 3);
}

void TestWindowSize::store()
{
    QFETCH(QString, trouble);
    QFETCH(bool, stored);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString app = QStringLiteral("dewmoth");
    const QString path = core::settingsLocation(app);
    QCOMPARE(path, home.filePath("Dewmoth/dewmoth.ini"));
    const QString folder = QFileInfo(path).absolutePath();
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old("; kept\n[size]\nWidth=6000\nHeight=5000\n");
    const QString elsewhere = home.filePath("elsewhere.ini");
    const QByteArray name = QFile::encodeName(path);

    const auto write = [](const QString &file, const QByteArray &bytes) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    std::optional<files::FolderLock> other;
    if (trouble == "link to a file elsewhere") {
        write(elsewhere, old);
        QVERIFY(QFile::link(elsewhere, path));
    } else if (trouble == "FIFO") {
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
    } else if (trouble == "link to a device") {
        QVERIFY(QFile::link("/dev/null", path));
    } else {
        write(path, old);
    }
    if (trouble == "lock file is a folder" || trouble == "read-only folder with a lock left")
        QVERIFY(QDir().mkpath(path + ".lock") || QFile(path + ".lock").open(QIODevice::WriteOnly));
    if (trouble == "read-only folder with a lock left")
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    if (trouble == "unreadable file")
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    if (trouble == "lock held by another process")
        other.emplace(QFile::encodeName(folder).toStdString(), std::chrono::milliseconds(0));

    const core::StoredSettings before =
        core::readSettings(app, {QStringLiteral("size/Width"), QStringLiteral("size/Height")});
    const bool readable =
        trouble != "FIFO" && trouble != "link to a device" && trouble != "unreadable file";
    QCOMPARE(before.error.isEmpty(), readable);
    if (readable)
        QCOMPARE(before.values.value(QStringLiteral("size/Width")), QStringLiteral("6000"));

    QElapsedTimer clock;
    clock.start();
    QString failure;
    {
        rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit saved = limit;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        if (trouble == "full disk") {
            limit.rlim_cur = 8;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        failure =
            core::storeSettings(app, {{QStringLiteral("size/Width"), QStringLiteral("9000")},
                                      {QStringLiteral("size/Height"), QStringLiteral("7200")}});
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    // Never a frozen close, whatever stands in the folder.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    other.reset();
    QVERIFY2(failure.isEmpty() == stored, qPrintable(failure));

    QFile file(path);
    const bool regular = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink();
    if (stored) {
        QVERIFY(regular);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("; kept\n[size]\nWidth=9000\nHeight=7200\n"));
    } else if (trouble == "FIFO" || trouble == "link to a device") {
        QCOMPARE(QFileInfo(path).isSymLink(), trouble == "link to a device");
        QVERIFY(!regular);
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old); // nothing lost, nothing half-written
    }
    if (trouble == "link to a file elsewhere") {
        QFile kept(elsewhere);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), old);
    }
    // No temporary file is left behind, whatever happened.
    QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                              QDir::Hidden | QDir::System);
    left.removeAll(QStringLiteral("dewmoth.ini"));
    left.removeAll(QStringLiteral("dewmoth.ini.lock"));
    QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
}

#endif

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    dropRootPrivileges();
#endif
    QCoreApplication app(argc, argv);
    TestWindowSize test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_window_size.moc"
