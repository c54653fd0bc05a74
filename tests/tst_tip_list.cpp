// Which sayings a quote file yields: line ends, empty lines, encodings, sizes and read errors.
#include "core/path_text.h"
#include "core/utf8_check.h"
#include "quotes/collection.h"
#include "quotes/line_scan.h"
#include "quotes/quote_source.h"
#include "quotes/saying_choice.h"
#include "quotes/tip_list.h"

#include "unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace dewmoth::quotes;

namespace {

QStringList allQuotes(const TipList &list)
{
    QStringList quotes;
    for (qint32 i = 1; i <= list.count(); ++i)
        quotes << list.at(i);
    return quotes;
}

TipList parse(const QByteArray &bytes, bool fortunes = false)
{
    return TipList::fromBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                              LineIndex::kMaxLines, fortunes);
}

// The sayings `bytes` yields through every line scan this build holds, not only the one this
// processor would pick; fails the test, naming the scan, where one disagrees.
void compareForEveryScan(const QByteArray &bytes, const QStringList &quotes, bool fortunes = false)
{
    struct Reset
    {
        ~Reset() { forceByteScan(std::nullopt); }
    } reset;
    for (const ByteScan scan : runnableByteScans()) {
        forceByteScan(scan);
        const QStringList got = allQuotes(parse(bytes, fortunes));
        if (got != quotes)
            qWarning("with the %s scan", byteScanName(scan));
        QCOMPARE(got, quotes);
    }
}

} // namespace

class TestTipList : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void encoding_data();
    void encoding();
    void utf8CheckOnLargeInput_data();
    void utf8CheckOnLargeInput();
    void picks_data();
    void picks();
    void lineIndexPastFourGiB();
    void longLineIsCapped_data();
    void longLineIsCapped();
    void outOfRangeIsEmpty();
    void readFile();
    void readMissingOrNotAFile();
    void readUnreadable();
    void collectionFolders_data();
    void collectionFolders();
    void choiceRacesAWriter();
    void choiceIndexesLargeFilesAside();
    void choiceFollowsEdits_data();
    void choiceFollowsEdits();
};

void TestTipList::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("quotes");
    QTest::addColumn<bool>("fortunes"); // a file of a collection: may be a fortune file

    QTest::newRow("CRLF ends lines") << QByteArray("A\r\nB\r\n") << QStringList{"A", "B"} << false;
    QTest::newRow("empty lines skipped, last line unterminated")
        << QByteArray("A\r\n\r\n\r\nB") << QStringList{"A", "B"} << false;
    QTest::newRow("lone CR then CRLF") << QByteArray("A\r\r\nB") << QStringList{"A", "B"} << false;
    QTest::newRow("lone CR ends a line") << QByteArray("A\rB\r") << QStringList{"A", "B"} << false;
    QTest::newRow("lone LF stays inside when most lines end in CR")
        << QByteArray("A\nB\r\nC\r\n") << QStringList{"A\nB", "C"} << false;
    QTest::newRow("stray CRs inside an LF file stay in their sayings")
        << QByteArray("A\rB\nC\nD\n") << QStringList{"A\rB", "C", "D"} << false;
    QTest::newRow("CR LF ends a line in an LF file too")
        << QByteArray("A\nB\r\nC\nD") << QStringList{"A", "B", "C", "D"} << false;
    QTest::newRow("a lone CR line in an LF file is empty")
        << QByteArray("A\n\r\nB\nC\n") << QStringList{"A", "B", "C"} << false;
    QTest::newRow("as many lone LFs as CR ends: a CR file")
        << QByteArray("A\nB\rC\nD\r") << QStringList{"A\nB", "C\nD"} << false;
    QTest::newRow("LF after CRLF starts the next line")
        << QByteArray("A\r\n\nB\r\n") << QStringList{"A", "\nB"} << false;
    QTest::newRow("LF-only file splits at LF")
        << QByteArray("A\nB\n") << QStringList{"A", "B"} << false;
    QTest::newRow("LF-only with empty lines")
        << QByteArray("\n\nA\n\n\nB") << QStringList{"A", "B"} << false;
    QTest::newRow("blank line is a quote")
        << QByteArray("A\r\n \r\nB") << QStringList{"A", " ", "B"} << false;
    QTest::newRow("blanks kept") << QByteArray("  A  \r\n") << QStringList{"  A  "} << false;
    QTest::newRow("no terminator at all") << QByteArray("only") << QStringList{"only"} << false;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << false;
    QTest::newRow("only terminators") << QByteArray("\r\n\r\n\r") << QStringList{} << false;
    QTest::newRow("NUL bytes stay in the quote")
        << QByteArray("A\0B\r\n", 5) << QStringList{QString::fromLatin1("A\0B", 3)} << false;
    QTest::newRow("lines across a 16-byte block")
        << QByteArray("0123456789abcde\r\nfghijklmnopqrstuvwxyz\r\n!")
        << QStringList{"0123456789abcde", "fghijklmnopqrstuvwxyz", "!"} << false;
    QTest::newRow("CR LF split across a 64-byte block")
        << QByteArray(63, 'a') + "\r\nB\n" + QByteArray(60, 'c') + "\r\n\r\nD"
        << QStringList{QString(63, 'a'), "B\n" + QString(60, 'c'), "D"} << false;
    QTest::newRow("CR before LF across a block in an LF file")
        << QByteArray(63, 'a') + "\r\nB\n" + QByteArray(62, 'c') + "\n\r\nD\n"
        << QStringList{QString(63, 'a'), "B", QString(62, 'c'), "D"} << false;

    const QByteArray chunk(256 << 10, 'a'); // the fortune scan reads 256 KiB at a time
    const auto fortune = [](const char *name, const QByteArray &bytes, const QStringList &quotes) {
        QTest::newRow(name) << bytes << quotes << true;
    };
    fortune("fortune: records, the last one without %", "A\nB\n%\nC\n", {"A\nB", "C"});
    fortune("fortune: CR LF", "A\r\nB\r\n%\r\nC", {"A\nB", "C"});
    fortune("fortune: CR", "A\rB\r%\rC\r", {"A\nB", "C"});
    fortune("fortune: comments", "%% head\nA\n%%c\nB\n%\n%% only\n%\nC", {"A\nB", "C"});
    fortune("fortune: empty and blank records", "%\n%\n\n%\n  \n\t\n%\nA\n%\n%", {"A"});
    fortune("fortune: % inside a line", "50% off\n%\n100%\n%\n%x\n% \n",
            {"50% off", "100%", "%x\n% "});
    fortune("fortune: empty lines inside kept, at the ends dropped", "\n\nA\n\nB\n\n \n%\nC",
            {"A\n\nB", "C"});
    fortune("fortune: indentation and attribution kept", "  Poem\n\t\t-- Name\n%\n",
            {"  Poem\n\t\t-- Name"});
    fortune("fortune: % lines only", "%\n%\r\n%\r%", {});
    fortune("fortune: no % line, one saying per line", "A\n%A\nB\n", {"A", "%A", "B"});
    fortune("fortune: each record decoded on its own", "Gr\xC3\xBC\n%\nGr\xFC\n",
            {QString::fromUtf8("Grü"), QString::fromUtf8("Grü")});
    fortune("fortune: a byte-order mark", "\xEF\xBB\xBF%\nA\n%\nB", {"A", "B"});
    fortune("fortune: % at a chunk's end", chunk.left(chunk.size() - 2) + "\n%\nB",
            {QString(chunk.left(chunk.size() - 2)), "B"});
    fortune("fortune: % line across a chunk", chunk.left(chunk.size() - 1) + "\n%\r\nB",
            {QString(chunk.left(chunk.size() - 1)), "B"});
    fortune("fortune: a record starting a chunk", chunk.left(chunk.size() - 3) + "\n%\n%\nB",
            {QString(chunk.left(chunk.size() - 3)), "B"});
    fortune("fortune: a comment across a chunk", "%%" + chunk + "\nA\n%\nB", {"A", "B"});
    QTest::newRow("TIPOFDAY.TXT keeps % lines")
        << QByteArray("A\n%\nB") << QStringList{"A", "%", "B"} << false;
}

void TestTipList::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, quotes);
    QFETCH(bool, fortunes);
    compareForEveryScan(bytes, quotes, fortunes);
}

void TestTipList::encoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("quotes");

    QTest::newRow("ASCII") << QByteArray("plain\r\n") << QStringList{"plain"};
    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xBC\xC3\x9F\x65\r\n\xE2\x82\xAC 5")
                           << QStringList{QString::fromUtf8("Grüße"), QString::fromUtf8("€ 5")};
    QTest::newRow("UTF-8 outside the BMP")
        << QByteArray("moth \xF0\x9F\xA6\x8B\n") << QStringList{QString::fromUtf8("moth 🦋")};
    QTest::newRow("UTF-8 byte-order mark dropped")
        << QByteArray("\xEF\xBB\xBFX\r\nY") << QStringList{"X", "Y"};
    QTest::newRow("byte-order mark alone on its line")
        << QByteArray("\xEF\xBB\xBF\r\nY") << QStringList{"Y"};
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80\x93\x94\r\n")
                                  << QStringList{QString::fromUtf8("café €“”")};
    QTest::newRow("Windows-1252 unassigned bytes keep C1 code points")
        << QByteArray("\x81\x8D\x8F\x90\x9D")
        << QStringList{QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D")};
    QTest::newRow("one stray byte spoils only its own saying")
        << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F\x65\r\ncaf\xE9\r\n\xE2\x82\xAC")
        << QStringList{QString::fromUtf8("Grüße"), QString::fromUtf8("café"),
                       QString::fromUtf8("€")};
    QTest::newRow("overlong form is not UTF-8")
        << QByteArray("\xC0\xAF") << QStringList{QString::fromUtf8("À¯")};
    QTest::newRow("surrogate half is not UTF-8")
        << QByteArray("\xED\xA0\x80") << QStringList{QString::fromUtf8("í\u00A0€")};
    QTest::newRow("truncated sequence at the end is not UTF-8")
        << QByteArray("ok\r\n\xE2\x82") << QStringList{"ok", QString::fromUtf8("â‚")};
    QTest::newRow("UTF-16 little endian")
        << QByteArray("\xFF\xFEG\0r\0\xFC\0\r\0\n\0>\xD8\x8B\xDD\r\0\n\0", 20)
        << QStringList{QString::fromUtf8("Grü"), QString::fromUtf8("🦋")};
    QTest::newRow("UTF-16 big endian, LF ends") << QByteArray("\xFE\xFF\0A\0\n\0\n\x20\xAC\0\n", 12)
                                                << QStringList{"A", QString::fromUtf8("€")};
    QTest::newRow("UTF-16: a line end byte inside a character ends nothing")
        << QByteArray("\xFF\xFE\x0A\x01\x0D\x20\r\0\n\0B\0", 12)
        << QStringList{QString::fromUtf16(u"\u010A\u200D"), "B"};
    QTest::newRow("UTF-16 with an odd byte at the end")
        << QByteArray("\xFF\xFEO\0K\0!", 7) << QStringList{"OK"};
}

void TestTipList::encoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, quotes);
    compareForEveryScan(bytes, quotes);
    if (QTest::currentTestFailed())
        return;
    for (const QString &quote : quotes)
        QVERIFY(!quote.contains(QChar::ReplacementCharacter));
}

void TestTipList::utf8CheckOnLargeInput_data()
{
    // Long sayings are checked in four quarters; faults must be found wherever they fall.
    QTest::addColumn<int>("at"); // where a stray byte replaces one; -1: none
    QTest::addColumn<bool>("valid");
    QTest::newRow("valid") << -1 << true;
    for (const int at : {0, 1, 4095, 4096, 4097, 8192, 8193, 12288, 12289, 16381, 16384})
        QTest::newRow(qPrintable(QString("fault at %1").arg(at))) << at << false;
}

void TestTipList::utf8CheckOnLargeInput()
{
    QFETCH(int, at);
    QFETCH(bool, valid);
    // One ASCII byte, then 4-byte characters: every quarter boundary falls inside a character.
    QByteArray text = "a" + QByteArray("\xF0\x9F\xA6\x8B").repeated(4096);
    const auto check = [&text](bool expected) {
        QCOMPARE(dewmoth::core::isValidUtf8(text.constData(), std::size_t(text.size())), expected);
    };
    if (at >= 0)
        text[at] = '\xFF';
    check(valid);
    if (at >= 0 && at % 4 == 1) {
        text[at] = '\x80'; // a continuation byte where a character should start
        check(false);
    }
}

void TestTipList::lineIndexPastFourGiB()
{
    LineIndex index;
    const std::uint64_t big = (std::uint64_t(1) << 32) + 7;
    const std::uint64_t bigger = (std::uint64_t(3) << 32) + 1;
    for (std::uint64_t offset : {std::uint64_t(0), std::uint64_t(0xFFFFFFFF), big, bigger})
        index.push(offset);
    QCOMPARE(index.count(), std::size_t(4));
    QCOMPARE(index.offset(1), std::uint64_t(0xFFFFFFFF));
    QCOMPARE(index.offset(2), big);
    QCOMPARE(index.offset(3), bigger);
    QVERIFY(!index.overflowed());

    // At the limit, on the fast path (inside a block) as on the slow one (a new block): the
    // first sayings serve, the rest are dropped and said to be.
    for (const std::size_t limit : {std::size_t(3), std::size_t(65536 + 2)}) {
        LineIndex limited(limit);
        for (std::uint64_t offset = 0; offset < limit + 70000; ++offset)
            limited.push(offset * 3);
        QCOMPARE(limited.count(), limit);
        QVERIFY(limited.overflowed());
        QCOMPARE(limited.offset(limit - 1), std::uint64_t(limit - 1) * 3);
    }
    const TipList cut = TipList::fromBytes("one\ntwo\nthree\nfour\n", 2);
    QCOMPARE(allQuotes(cut), QStringList({"one", "two"}));
    QVERIFY(cut.cutShort());
}

void TestTipList::longLineIsCapped_data()
{
    QTest::addColumn<QByteArray>("head"); // a byte-order mark
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<QByteArray>("tail"); // a line end, then "next"
    const QByteArray next8("\r\nnext");
    const QByteArray next16("\r\0\n\0n\0e\0x\0t\0", 12);
    QTest::newRow("ASCII") << QByteArray() << QByteArray("ab ") << QString("ab ") << next8;
    QTest::newRow("two-byte UTF-8")
        << QByteArray() << QByteArray("\xC3\xA9") << QString::fromUtf8("é") << next8;
    QTest::newRow("two-byte UTF-8 after one byte")
        << QByteArray() << QByteArray("a\xC3\xA9") << QString::fromUtf8("aé") << next8;
    QTest::newRow("four-byte UTF-8")
        << QByteArray() << QByteArray("\xF0\x9F\xA6\x8B") << QString::fromUtf8("🦋") << next8;
    QTest::newRow("Windows-1252") << QByteArray() << QByteArray("\xE9") << QString::fromUtf8("é")
                                  << next8;
    QTest::newRow("UTF-16 little endian")
        << QByteArray("\xFF\xFE") << QByteArray("\xE9\0", 2) << QString::fromUtf8("é") << next16;
    QTest::newRow("UTF-16 surrogate pairs after one unit")
        << QByteArray("\xFF\xFE") << QByteArray("a\0\x3E\xD8\x8B\xDD", 6)
        << QString::fromUtf8("a🦋") << next16;
}

void TestTipList::longLineIsCapped()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(QString, decoded);
    QFETCH(QByteArray, tail);
    const int times = (4 << 20) / int(unit.size()); // megabytes on one line
    const TipList list = ::parse(head + unit.repeated(times) + tail);
    QCOMPARE(list.count(), 2);
    const QString whole = decoded.repeated(times);
    for (const qsizetype cap :
         {qsizetype(0), qsizetype(1), qsizetype(2), qsizetype(1001), qsizetype(30000)}) {
        const QString shown = list.at(1, cap);
        // The uncapped text's beginning: never half a character, never half a surrogate pair.
        QCOMPARE(shown, whole.left(shown.size()));
        QVERIFY(shown.size() <= cap);
        QVERIFY(shown.size() >= cap - 1); // at most half a surrogate pair given back
        if (!shown.isEmpty())
            QVERIFY(!shown.back().isHighSurrogate());
    }
    QCOMPARE(list.at(2, 10), QStringLiteral("next"));
}

void TestTipList::outOfRangeIsEmpty()
{
    const TipList list = ::parse("A\r\nB");
    QCOMPARE(list.at(0), QString());
    QCOMPARE(list.at(3), QString());
    QCOMPARE(list.at(-1), QString());
    QCOMPARE(TipList().count(), 0);
}

void TestTipList::readFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("TIPOFDAY.TXT"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Bigger than the size at which the buffer comes straight from the system.
    const QByteArray line("Quiet water shows the deepest sky.\r\n");
    file.write(line.repeated((6 << 20) / line.size()));
    file.write("last");
    file.close();

    const QuoteFileResult result = readQuoteFile(file.fileName());
    QCOMPARE(result.status, LoadStatus::Loaded);
    QCOMPARE(result.tips.count(), (6 << 20) / line.size() + 1);
    QCOMPARE(result.tips.at(1), QStringLiteral("Quiet water shows the deepest sky."));
    QCOMPARE(result.tips.at(result.tips.count()), QStringLiteral("last"));

    // Only the head of a file of a collection: a "%" at its very end may begin a longer line.
    QFile other(dir.filePath("collection"));
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write("A\n%B\nC\n") == 7);
    other.close();
    const std::filesystem::path path = dewmoth::core::textPath(other.fileName());
    ReadLimits limits = collectionRules(path, false);
    limits.headBytes = 3;
    const QuoteFileResult head = readQuoteFile(path, limits);
    QVERIFY(head.tips.partial() && !head.tips.fortunes());
    QCOMPARE(head.tips.count(), 1);
    QCOMPARE(head.tips.at(1), QStringLiteral("A"));
}

void TestTipList::readMissingOrNotAFile()
{
    QTemporaryDir dir;
    QCOMPARE(readQuoteFile(QString()).status, LoadStatus::NotFound);
    QCOMPARE(readQuoteFile(dir.filePath("TIPOFDAY.TXT")).status, LoadStatus::NotFound);
    QVERIFY(QDir(dir.path()).mkdir("TIPOFDAY.TXT"));
    QCOMPARE(readQuoteFile(dir.filePath("TIPOFDAY.TXT")).status, LoadStatus::NotFound);
}

void TestTipList::readUnreadable()
{
#ifdef Q_OS_WIN
    QSKIP("no file here opens and then fails every read");
#else
    // Opens, but every read fails with an I/O error, even for root.
    const QuoteFileResult io = readQuoteFile(QStringLiteral("/proc/self/mem"));
    QCOMPARE(io.status, LoadStatus::Unreadable);
    QVERIFY(io.failure.failed());
    QCOMPARE(io.tips.count(), 0);

    // Not readable, or in a folder that cannot be entered: reported, never passed over for the
    // file beside the program. (main() has given up root, who could read both.)
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("closed"));
    for (const char *name : {"TIPOFDAY.TXT", "closed/TIPOFDAY.TXT"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("secret\r\n");
        file.close();
    }
    QVERIFY(QFile::setPermissions(dir.filePath("TIPOFDAY.TXT"), QFileDevice::WriteOwner));
    QVERIFY(QFile::setPermissions(dir.filePath("closed"), QFileDevice::ReadOwner));
    for (const char *name : {"TIPOFDAY.TXT", "closed/TIPOFDAY.TXT"}) {
        const std::filesystem::path own = dewmoth::core::textPath(dir.filePath(name));
        QCOMPARE(quoteFilePath("/nonexistent", own), own);
        const QuoteFileResult denied = readQuoteFile(own);
        QCOMPARE(denied.status, LoadStatus::Unreadable);
        QCOMPARE(denied.failure.reason, dewmoth::core::Reason::NoAccess);
    }
    QFile::setPermissions(dir.filePath("closed"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#endif
}

void TestTipList::collectionFolders_data()
{
    // What the folder holds: "name:bytes" a file, "name/" a folder, "name@target" a link,
    // "name|" a FIFO, "name!" a file no one may read; "../" makes it beside the folder.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("read");   // "name=sayings", in the order read
    QTest::addColumn<QStringList>("passed"); // passed over or unreadable, by name
    const auto row = [](const char *name, QStringList entries, QStringList read,
                        QStringList passed) { QTest::newRow(name) << entries << read << passed; };
    row("lines and fortunes", {"a:A\nB\n", "b:X\n%\nY\n"}, {"a=2", "b=2"}, {});
    row("TIPOFDAY.TXT keeps its line rules", {"TIPOFDAY.TXT:A\n%\nB\n"}, {"TIPOFDAY.TXT=3"}, {});
    row("a twin with .u8 and an index", {"f:1\n%\n2", "f.u8:1\n%\n2", QString("f.dat:") + QChar(0)},
        {"f.u8=2"}, {"f", "f.dat"});
    row("a NUL byte in the first 4 KiB", {QStringLiteral("bin:a") + QChar(0) + "b", "text:ok"},
        {"text=1"}, {"bin"});
    row("a NUL byte after the first 4 KiB", {"late:" + QString(4096, 'x') + QChar(0)}, {"late=1"},
        {});
#ifndef Q_OS_WIN
    row("links to a file and to a folder, one level down",
        {"../other/", "../other/x:1\n%\n2\n", "../other/inner/", "../other/inner/y:z",
         "../single:s", "dir@../other", "file@../single"},
        {"dir/x=2", "file=1"}, {"dir/inner"});
    row("the same file twice", {"a:1", "b@a"}, {"a=1"}, {"b"});
    row("a loop and a dangling link", {"l1@l2", "l2@l1", "gone@nothing", "ok:fine"}, {"ok=1"},
        {"gone", "l1", "l2"});
    row("a FIFO and a device", {"p|", "dev@/dev/zero", "ok:x"}, {"ok=1"}, {"dev", "p"});
    row("a file no one may read", {"closed!", "ok:x"}, {"ok=1"}, {"closed"});
#endif
}

void TestTipList::collectionFolders()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, read);
    QFETCH(QStringList, passed);
    QTemporaryDir top;
    const QString folder = top.filePath("sayings");
    QVERIFY(QDir().mkpath(folder));
    for (const QString &entry : entries) {
        qsizetype mark = entry.indexOf(QRegularExpression("[:@|!]"));
        if (mark < 0)
            mark = entry.size() - 1; // "name/"
        const QString path = folder + '/' + entry.left(mark);
        const QString rest = entry.mid(mark + 1);
        switch (entry.at(mark).unicode()) {
        case ':': {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(rest.toLatin1());
            break;
        }
        case '/':
            QVERIFY(QDir().mkpath(path));
            break;
        case '@':
            QVERIFY(QFile::link(rest, path));
            break;
#ifndef Q_OS_WIN
        case '|':
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
#endif
        case '!': {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("secret\n");
            file.setPermissions({});
            break;
        }
        }
    }
    CollectionPlan plan;
    addFolder(plan, dewmoth::core::textPath(folder));
    const CollectionRead result = readCollection(plan);
    const auto name = [&](const std::filesystem::path &path) {
        return QDir(folder).relativeFilePath(dewmoth::core::pathText(path));
    };
    QStringList gotRead, gotPassed;
    for (const FileReport &report : result.reports) {
        if (report.status == LoadStatus::Loaded)
            gotRead << name(report.path) + '=' + QString::number(report.count);
        else
            gotPassed << name(report.path);
    }
    for (const PassedOver &skipped : plan.passedOver)
        gotPassed << name(skipped.path);
    gotPassed.sort();
    QCOMPARE(gotRead, read);
    QCOMPARE(gotPassed, passed);
    qint32 total = 0;
    for (const FileReport &report : result.reports)
        total += report.count;
    QCOMPARE(result.collection.count(), total);
    // Every saying of every file, in order, through the one list.
    if (total > 0)
        QVERIFY(!result.collection.at(total).isEmpty());
}

void TestTipList::picks_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("previous"); // 0: the first pick
    QTest::newRow("first of 3: any") << 3 << 0;
    QTest::newRow("one saying: always it") << 1 << 1;
    QTest::newRow("two sayings: always the other") << 2 << 1;
    QTest::newRow("after the first of 5") << 5 << 1;
    QTest::newRow("after the last of 5") << 5 << 5;
    QTest::newRow("after one in the middle of 65") << 65 << 33;
}

void TestTipList::picks()
{
    QFETCH(int, n);
    QFETCH(int, previous);
    std::mt19937 random(20261208);
    QList<int> drawn(n + 1, 0);
    constexpr int kDraws = 65000;
    for (int i = 0; i < kDraws; ++i) {
        const qint32 next = pickNextPosition(n, previous, random);
        QVERIFY(next >= 1 && next <= n);
        ++drawn[next];
    }
    // Never the same saying twice in a row where there is another; the rest equally often.
    const bool others = n >= 2 && previous >= 1;
    const int candidates = others ? n - 1 : n;
    for (int position = 1; position <= n; ++position) {
        if (others && position == previous) {
            QCOMPARE(drawn[position], 0);
            continue;
        }
        const double expected = double(kDraws) / candidates;
        QVERIFY2(
            std::abs(drawn[position] - expected) < expected * 0.1 + 5,
            qPrintable(QString("position %1 drawn %2 times").arg(position).arg(drawn[position])));
    }
}

int main(int argc, char *argv[])
{
    dropRootPrivileges();
    QCoreApplication app(argc, argv);
    TestTipList test;
    return QTest::qExec(&test, argc, argv);
}
// A writer saves two versions in place, by turns, at the same size but with other line breaks,
// while the window reads: every saying shown is a whole line of one version, never a fragment.
void TestTipList::choiceRacesAWriter()
{
    const QByteArray first = QByteArray("aaaa\n").repeated(200);
    const QByteArray second = QByteArray("bbb\n").repeated(250);
    QTemporaryDir dir;
    const QString path = dir.filePath("TIPOFDAY.TXT");
    QFile setup(path);
    QVERIFY(setup.open(QIODevice::WriteOnly) && setup.write(first) == first.size());
    setup.close();
    SayingChoice choice;
    QCOMPARE(choice.load(dewmoth::core::textPath(path)), LoadStatus::Loaded);

    std::atomic<bool> done = false;
    std::thread writer([&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return;
        for (int turn = 0; !done; ++turn) {
            file.seek(0);
            file.write(turn % 2 ? first : second);
            file.flush();
            // Now and then a quiet moment, so that some reads can succeed on a slow system
            // too (under Wine a write can land in every read otherwise).
            std::this_thread::sleep_for(
                std::chrono::microseconds(turn % 8 == 7 ? 10000 : 300 * (turn % 7)));
        }
    });
    int shown = 0;
    for (int i = 0; i < 500; ++i) {
        choice.next();
        if (const std::optional<QString> text = choice.current(-1)) {
            ++shown;
            if (*text != QLatin1String("aaaa") && *text != QLatin1String("bbb")) {
                done = true;
                writer.join();
                QFAIL(qPrintable(QStringLiteral("read %1: \"%2\"").arg(i).arg(*text)));
            }
        }
    }
    done = true;
    writer.join();
    QVERIFY2(shown > 0, "no saying could be read at all");
}

// A file larger than is indexed at once: its head serves at once, the rest is indexed on a
// worker, and an edit is indexed there too while nothing wrong is shown.
void TestTipList::choiceIndexesLargeFilesAside()
{
    constexpr int kCount = 600000; // 5.4 MB
    const auto write = [](const QString &path, char letter) {
        QByteArray bytes;
        for (int i = 1; i <= kCount; ++i)
            bytes += letter + QByteArray::number(i).rightJustified(7, '0') + '\n';
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size();
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("TIPOFDAY.TXT");
    QVERIFY(write(path, 'a'));
    std::atomic<int> indexed = 0;
    SayingChoice choice([](qint32 n) { return n; }); // the last saying known
    choice.setOnIndexed([&indexed] { ++indexed; });

    QCOMPARE(choice.load(dewmoth::core::textPath(path)), LoadStatus::Loaded);
    QVERIFY(choice.tips().partial() && choice.indexing());
    const qint32 head = choice.tips().count();
    QVERIFY(head > 0 && head < kCount);
    QCOMPARE(choice.current(-1), QStringLiteral("a%1").arg(head, 7, 10, QLatin1Char('0')));
    QTRY_COMPARE_WITH_TIMEOUT(indexed.load(), 1, 60000);
    QVERIFY(choice.adopt());
    QCOMPARE(choice.tips().count(), kCount);
    QCOMPARE(choice.current(-1), QStringLiteral("a%1").arg(head, 7, 10, QLatin1Char('0')));

    QVERIFY(write(path, 'b')); // in place, at the same size
    choice.next();
    QVERIFY(choice.indexing());
    QCOMPARE(choice.current(-1), std::nullopt); // the old index cannot serve the new bytes
    QTRY_COMPARE_WITH_TIMEOUT(indexed.load(), 2, 60000);
    QVERIFY(choice.adopt());
    QCOMPARE(choice.current(-1), QStringLiteral("b%1").arg(kCount, 7, 10, QLatin1Char('0')));
}

void TestTipList::choiceFollowsEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QByteArray>("bytes"); // what the edit writes
    QTest::addColumn<QString>("shown");    // after "Next Tip", which shows the last saying
    QTest::addColumn<int>("count");
    QTest::newRow("saved in place")
        << "write" << QByteArray("First\r\nSecond\r\nThird\r\n") << "Third" << 3;
    QTest::newRow("saved as a new file renamed over it")
        << "rename" << QByteArray("Other\n") << "Other" << 1;
    QTest::newRow("shortened in place") << "write" << QByteArray("Fi\r\n") << "Fi" << 1;
    QTest::newRow("saved in place at the same size, at another time")
        << "same size" << QByteArray("Alphabet\r\nXYZ\r\n") << "XYZ" << 2;
    QTest::newRow("saved in place at the same size, its time put back")
        << "time put back" << QByteArray("Alphabet\r\nXYZ\r\n") << "XYZ" << 2;
    QTest::newRow("renamed over it at the same size and time")
        << "rename, time put back" << QByteArray("Alphabet\r\nXYZ\r\n") << "XYZ" << 2;
    QTest::newRow("emptied") << "write" << QByteArray() << "" << 0;
    QTest::newRow("deleted: the sayings read before stay")
        << "remove" << QByteArray() << "Second" << 2;
    QTest::newRow("a folder in its place") << "folder" << QByteArray() << "Second" << 2;
}

void TestTipList::choiceFollowsEdits()
{
    QFETCH(QString, edit);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(int, count);
#ifdef Q_OS_WIN
    if (edit.startsWith("rename") || edit == "folder")
        QSKIP("Wine keeps the name of a file held open: nothing can be put in its place");
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath("TIPOFDAY.TXT");
    QFile quotes(path);
    QVERIFY(quotes.open(QIODevice::WriteOnly) && quotes.write("First\r\nSecond\r\n") == 15);
    quotes.close();
    SayingChoice choice([](qint32 n) { return n; }); // always the last saying
    QCOMPARE(choice.load(std::filesystem::path(QFile::encodeName(path).toStdString())),
             LoadStatus::Loaded);
    QCOMPARE(choice.current(-1), QStringLiteral("Second"));

    if (edit != "remove" && edit != "folder") {
        const bool rename = edit.startsWith("rename");
        const auto before = std::filesystem::last_write_time(QFile::encodeName(path).toStdString());
        QFile file(rename ? path + ".new" : path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        const std::string written = QFile::encodeName(file.fileName()).toStdString();
        // Set, not left to the clock: a coarse clock could give the old time back.
        if (edit == "same size")
            std::filesystem::last_write_time(written, before + std::chrono::seconds(10));
        if (edit.endsWith("time put back"))
            std::filesystem::last_write_time(written, before);
        if (rename)
            QVERIFY(std::rename(written.c_str(), QFile::encodeName(path)) == 0);
    } else {
        QVERIFY(QFile::remove(path));
        if (edit == "folder")
            QVERIFY(QDir(dir.path()).mkdir("TIPOFDAY.TXT"));
    }
    choice.next();
    QCOMPARE(choice.current(-1).value_or(QString()), shown);
    QCOMPARE(choice.emptied(), count == 0);
    QCOMPARE(choice.tips().count(), count);
}

#include "tst_tip_list.moc"
