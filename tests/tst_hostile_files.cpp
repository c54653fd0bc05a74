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
    void gigabyteOfNothing();
    void randomBinary();
};

void TestHostileFiles::gigabyteOfNothing()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("TIPOFDAY.TXT"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(1) << 30)); // one line of a billion NUL bytes
    file.close();
    const QuoteFileResult result = readQuoteFile(file.fileName());
    QCOMPARE(result.status, LoadStatus::Loaded);
    QCOMPARE(result.tips.count(), 1);
    QCOMPARE(result.tips.at(1, 100), QString(100, QChar(0)));
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
