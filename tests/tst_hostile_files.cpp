// Quote files no one should write, which must still neither crash nor hang the reader.
#include "quotes/tip_list.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace dewmoth::quotes;

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void gigabyteOfNothing_data();
    void gigabyteOfNothing();
    void randomBinary();
};

void TestHostileFiles::gigabyteOfNothing_data()
{
    QTest::addColumn<qint64>("size"); // sparse: only `head` and `tail` are written
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QStringList>("sayings"); // each at most 100 characters of it
    QTest::newRow("one line of a billion NUL bytes")
        << (qint64(1) << 30) << QByteArray() << QByteArray() << QStringList{QString(100, QChar(0))};
    QTest::newRow("sayings past 4 GiB")
        << (qint64(5) << 30) << QByteArray("first\n") << QByteArray("\nlast\n")
        << QStringList{"first", QString(100, QChar(0)), "last"};
}

void TestHostileFiles::gigabyteOfNothing()
{
    QFETCH(qint64, size);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);
    QFETCH(QStringList, sayings);
    QTemporaryDir dir;
    QFile file(dir.filePath("TIPOFDAY.TXT"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
    QVERIFY(file.write(head) == head.size());
    QVERIFY(file.seek(size - tail.size()) && file.write(tail) == tail.size());
    file.close();
    const QuoteFileResult result = readQuoteFile(file.fileName());
    QCOMPARE(result.status, LoadStatus::Loaded);
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

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
