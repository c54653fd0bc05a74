// The order of the sayings kept across runs: a permutation that shows every saying once per
// cycle, and a state file that nothing in the user's folders can turn into a crash or a stuck
// saying.
#include "core/state_store.h"
#include "quotes/saying_order.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "unprivileged.h"

#include <sys/stat.h>

#include <vector>

using namespace dewmoth::quotes;

class TestSayingOrder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void permutationHitsEveryPosition_data();
    void permutationHitsEveryPosition();
    void cyclesAcrossRuns();
    void stateFaults_data();
    void stateFaults();

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestSayingOrder::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_home->path()));
}

void TestSayingOrder::permutationHitsEveryPosition_data()
{
    QTest::addColumn<quint64>("n");
    for (const quint64 n : {1ull, 2ull, 3ull, 7ull, 65ull, 1000ull, (1ull << 20) + 3})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void TestSayingOrder::permutationHitsEveryPosition()
{
    QFETCH(quint64, n);
    for (const std::uint64_t seed : {0ull, 1ull, 0xDEADBEEFull, ~0ull}) {
        const Permutation order(n, seed);
        std::vector<bool> seen(n);
        for (std::uint64_t i = 0; i < n; ++i) {
            const std::uint64_t at = order.at(i);
            QVERIFY2(at < n && !seen[at],
                     qPrintable(QStringLiteral("seed %1, i %2").arg(seed).arg(i)));
            seen[at] = true;
        }
    }
}

// Runs after runs, each with its own object as separate starts would: every saying once per
// cycle, and a new cycle never starts with the saying shown last.
void TestSayingOrder::cyclesAcrossRuns()
{
    for (const std::uint64_t n : {1u, 2u, 3u, 65u}) {
        const CollectionId collection{"/quotes/" + std::to_string(n), 100, 5, n};
        qint32 last = 0;
        for (int cycle = 0; cycle < 20; ++cycle) {
            std::vector<bool> seen(n + 1);
            for (std::uint64_t i = 0; i < n; ++i) {
                const std::optional<qint32> position = SayingOrder().next(collection);
                QVERIFY(position && *position >= 1 && std::uint64_t(*position) <= n);
                QVERIFY2(!seen[*position], "a saying came twice in one cycle");
                QVERIFY2(n == 1 || i > 0 || *position != last, "a cycle began with the last one");
                seen[*position] = true;
                last = *position;
            }
        }
    }
    // Another collection (or the same one edited) starts its own order.
    const std::optional<OrderState> kept =
        OrderState::parse(*dewmoth::core::readStateFile("order"));
    QVERIFY(kept && kept->collection.count == 65);
    QVERIFY(SayingOrder().next({"/quotes/65", 101, 5, 65}));
    QCOMPARE(OrderState::parse(*dewmoth::core::readStateFile("order"))->next, 1u);
}

void TestSayingOrder::stateFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("ordered"); // whether the order is kept (else: random picks)
    QTest::newRow("none yet") << "none" << true;
    QTest::newRow("a link to another file: replaced, the file untouched") << "link" << true;
    QTest::newRow("a dangling link: replaced") << "dangling" << true;
    QTest::newRow("a FIFO: never waited on") << "fifo" << false;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("corrupt: a new order") << "corrupt" << true;
    QTest::newRow("cut short: a new order") << "cut" << true;
    QTest::newRow("numbers out of range: a new order") << "range" << true;
    QTest::newRow("a read-only folder") << "read-only" << false;
    QTest::newRow("a full disk") << "full disk" << false;
}

void TestSayingOrder::stateFaults()
{
    QFETCH(QString, fault);
    QFETCH(bool, ordered);
    const QString folder = m_home->filePath("Dewmoth");
    const QString state = folder + "/order";
    const QString other = m_home->filePath("other.txt");
    QVERIFY(QDir().mkpath(folder));
    QFile foreign(other);
    QVERIFY(foreign.open(QIODevice::WriteOnly) && foreign.write("dear diary\n") == 11);
    foreign.close();
    const CollectionId collection{"/quotes", 10, 1, 3};
    const QByteArray good = QByteArray::fromStdString(OrderState{collection, 42, 1, 2}.text());
    const auto write = [&state](const QByteArray &bytes) {
        QFile file(state);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    if (fault == "link")
        QVERIFY(QFile::link(other, state));
    else if (fault == "dangling")
        QVERIFY(QFile::link(m_home->filePath("nowhere"), state));
    else if (fault == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(state).constData(), 0600), 0);
    else if (fault == "folder")
        QVERIFY(QDir().mkdir(state));
    else if (fault == "corrupt")
        QVERIFY(write("\x89PNG\r\n\x1a\n"));
    else if (fault == "cut")
        QVERIFY(write(good.left(good.size() - 3)));
    else if (fault == "range")
        QVERIFY(write(QByteArray(good).replace("next=1", "next=9")));
    else if (fault == "read-only")
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    std::optional<qint32> first;
    {
        std::optional<FullDisk> full;
        if (fault == "full disk")
            full.emplace();
        if (!ordered)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("picking at random"));
        first = SayingOrder().next(collection);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(first.has_value(), ordered);
    QFile check(other);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("dear diary\n")); // a link is never written through
    if (!ordered)
        return;
    QVERIFY(!QFileInfo(state).isSymLink());
    // What was written is read back: the next run goes on with the same order.
    const std::optional<OrderState> kept =
        OrderState::parse(*dewmoth::core::readStateFile("order"));
    QVERIFY(kept && kept->collection == collection && kept->next == 1);
    QCOMPARE(qint32(kept->last), *first);
}

int main(int argc, char *argv[])
{
    dropRootPrivileges();
    QCoreApplication app(argc, argv);
    TestSayingOrder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_saying_order.moc"
