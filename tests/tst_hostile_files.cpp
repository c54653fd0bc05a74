// Quote files no one should write, which must still neither crash nor hang the reader.
#include "core/path_text.h"
#include "quotes/collection.h"
#include "quotes/saying_choice.h"
#include "quotes/tip_list.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace dewmoth::quotes;

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void gigabyteOfNothing_data();
    void gigabyteOfNothing();
    void randomBinary();
    void hostileFolders_data();
    void hostileFolders();
};

void TestHostileFiles::gigabyteOfNothing_data()
{
    QTest::addColumn<qint64>("size"); // sparse: only `head` and `tail` are written
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QStringList>("sayings"); // each at most 100 characters of it
    QTest::addColumn<QString>("name");        // TIPOFDAY.TXT: lines; any other: may be fortunes
    QTest::newRow("one line of a billion NUL bytes")
        << (qint64(1) << 30) << QByteArray() << QByteArray() << QStringList{QString(100, QChar(0))}
        << "TIPOFDAY.TXT";
    QTest::newRow("sayings past 4 GiB")
        << (qint64(5) << 30) << QByteArray("first\n") << QByteArray("\nlast\n")
        << QStringList{"first", QString(100, QChar(0)), "last"} << "TIPOFDAY.TXT";
    QTest::newRow("a fortune file of a gigabyte")
        << (qint64(1) << 30) << QByteArray("A\n%\n") << QByteArray("\n%\nlast\n")
        << QStringList{"A", QString(100, QChar(0)), "last"} << "fortunes";
    QTest::newRow("a record of 10 MB")
        << (qint64(10) << 20) << QByteArray("short\n%\nlong") << QByteArray("\n%\n")
        << QStringList{"short", "long" + QString(96, QChar(0))} << "fortunes";
    const QByteArray separators = QByteArray("%\n").repeated(5 << 20);
    QTest::newRow("10 MB of % lines")
        << qint64(separators.size()) << separators << QByteArray() << QStringList{} << "fortunes";
}

void TestHostileFiles::gigabyteOfNothing()
{
    QFETCH(qint64, size);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);
    QFETCH(QStringList, sayings);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
    QVERIFY(file.write(head) == head.size());
    QVERIFY(file.seek(size - tail.size()) && file.write(tail) == tail.size());
    file.close();
    const std::filesystem::path path = dewmoth::core::textPath(file.fileName());
    const QuoteFileResult result = readQuoteFile(path, collectionRules(path, false));
    QCOMPARE(result.status, LoadStatus::Loaded);
    QCOMPARE(result.tips.fortunes(), name != "TIPOFDAY.TXT");
    QCOMPARE(result.tips.count(), sayings.size());
    for (qint32 i = 1; i <= result.tips.count(); ++i)
        QCOMPARE(result.tips.at(i, 100), sayings.at(i - 1));
}

void TestHostileFiles::randomBinary()
{
    QByteArray bytes(4 << 20, Qt::Uninitialized);
    QRandomGenerator random(20261207);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    const TipList list = TipList::fromBytes(std::string_view(bytes.constData(), bytes.size()));
    QVERIFY(list.count() > 0);
    qsizetype total = 0;
    for (qint32 i = 1; i <= list.count(); ++i) {
        const QString quote = list.at(i);
        QVERIFY(!quote.isEmpty());
        total += quote.size();
    }
    // Legacy text is one character a byte; only the line ends are not part of a saying.
    QVERIFY(total > bytes.size() * 98 / 100 && total < bytes.size());
}

void TestHostileFiles::hostileFolders_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("read");   // files read
    QTest::addColumn<int>("passed"); // passed over
    QTest::newRow("10 000 files") << "many" << 10000 << 0;
#ifndef Q_OS_WIN
    QTest::newRow("links that loop, a FIFO, devices") << "traps" << 1 << 5;
    QTest::newRow("a file that vanishes before it is read") << "vanishing" << 1 << 1;
#endif
}

// Read as the window reads its collection at start: no hang, and each file passed over said.
void TestHostileFiles::hostileFolders()
{
    QFETCH(QString, kind);
    QFETCH(int, read);
    QFETCH(int, passed);
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    if (kind == "many") {
        for (int i = 0; i < 10000; ++i)
            write(QString::number(i), "A saying\n%\nAnother\n");
    } else {
        write("ok", "A saying\n");
        write("gone", "Soon gone\n");
        if (kind == "traps") {
            QVERIFY(QFile::link(dir.filePath("loop2"), dir.filePath("loop1")));
            QVERIFY(QFile::link(dir.filePath("loop1"), dir.filePath("loop2")));
            QVERIFY(QFile::link(dir.path(), dir.filePath("self"))); // the folder inside itself
            QVERIFY(QFile::link("/dev/zero", dir.filePath("zero")));
            QVERIFY(QFile::link("/dev/tty", dir.filePath("tty")));
            QVERIFY(QFile::remove(dir.filePath("gone")));
#ifndef Q_OS_WIN
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
#endif
        }
    }
    CollectionPlan plan;
    QElapsedTimer timer;
    timer.start();
    addFolder(plan, dewmoth::core::textPath(dir.path()));
    if (kind == "vanishing")
        QVERIFY(QFile::remove(dir.filePath("gone")));
    const CollectionRead result = readCollection(plan, {SayingChoice::kWaitBytes, nullptr});
    qInfo("%lld files listed and read in %lld ms", qlonglong(plan.files.size()),
          qlonglong(timer.elapsed()));
    int loaded = 0;
    for (const FileReport &report : result.reports)
        loaded += report.status == LoadStatus::Loaded;
    QCOMPARE(loaded, read);
    // "self" lists the folder again: its file as one read already, the rest as before, and
    // itself as a folder two levels down.
    const int again = kind == "traps" ? 7 : 0;
    QCOMPARE(int(plan.passedOver.size() + result.reports.size()) - loaded, passed + again);
    QCOMPARE(result.collection.count(), kind == "many" ? 20000 : 1);
    QVERIFY(timer.elapsed() < 20000);
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
