// The rules that turn one registry value into text for the system-information lookup.
#include "about/key_value.h"

#include <QTest>

using namespace dewmoth::about;

class TestKeyValue : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
};

void TestKeyValue::rules_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("keyVal");
    QTest::addColumn<int>("charSize");

    const auto read = int(KeyValueOutcome::Read);
    const QByteArray text1023 = QByteArray(1023, 'x');
    QTest::newRow("text with its zero byte") << kRegSz << QByteArray("C:\\Tools\\info.exe", 18)
                                             << read << QByteArray("C:\\Tools\\info.exe") << 1;
    QTest::newRow("text without a zero byte keeps its last character")
        << kRegSz << QByteArray("abc") << read << QByteArray("abc") << 1;
    QTest::newRow("only one zero byte dropped")
        << kRegSz << QByteArray("ab\0\0", 4) << read << QByteArray("ab\0", 3) << 1;
    QTest::newRow("1024 bytes with the zero byte: read whole")
        << kRegSz << text1023 + QByteArray(1, '\0') << read << text1023 << 1;
    QTest::newRow("1025 bytes: absent")
        << kRegSz << QByteArray(1025, 'x') << int(KeyValueOutcome::Absent) << QByteArray() << 1;
    QTest::newRow("no data: an error")
        << kRegSz << QByteArray() << int(KeyValueOutcome::NoData) << QByteArray("as passed") << 1;
    QTest::newRow("number 0x12345678")
        << kRegDword << QByteArray("\x78\x56\x34\x12") << read << QByteArray("&h12345678") << 1;
    QTest::newRow("number 0x00000105 loses its top zero byte")
        << kRegDword << QByteArray("\x05\x01\x00\x00", 4) << read << QByteArray("&h000105") << 1;
    QTest::newRow("number 0x0A0B0C0D upper-case digits")
        << kRegDword << QByteArray("\x0D\x0C\x0B\x0A") << read << QByteArray("&h0A0B0C0D") << 1;
    QTest::newRow("other type leaves the output as passed")
        << quint32(3) << QByteArray("\x01\x02") << read << QByteArray("as passed") << 1;
    QTest::newRow("a zero byte alone is empty text")
        << kRegSz << QByteArray(1, '\0') << read << QByteArray() << 1;
    QTest::newRow("UTF-16 text drops one zero character")
        << kRegSz << QByteArray("a\0b\0\0\0", 6) << read << QByteArray("a\0b\0", 4) << 2;
    QTest::newRow("UTF-16 text without a zero character keeps its last")
        << kRegSz << QByteArray("a\0b\0", 4) << read << QByteArray("a\0b\0", 4) << 2;
}

void TestKeyValue::rules()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(int, outcome);
    QFETCH(QByteArray, keyVal);
    QFETCH(int, charSize);
    std::string out = "as passed";
    const KeyValueOutcome got =
        interpretKeyValue(type, std::string_view(data.constData(), std::size_t(data.size())), out,
                          std::size_t(charSize));
    QCOMPARE(int(got), outcome);
    QCOMPARE(QByteArray::fromStdString(out), keyVal);
}

QTEST_GUILESS_MAIN(TestKeyValue)
#include "tst_key_value.moc"
