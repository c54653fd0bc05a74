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

    const auto read = int(KeyValueOutcome::Read);
    const QByteArray text1023 = QByteArray(1023, 'x');
    QTest::newRow("text with its zero byte") << REG_SZ << QByteArray("C:\\Tools\\info.exe", 18)
                                             << read << QByteArray("C:\\Tools\\info.exe");
    QTest::newRow("text without a zero byte keeps its last character")
        << REG_SZ << QByteArray("abc") << read << QByteArray("abc");
    QTest::newRow("only one zero byte dropped")
        << REG_SZ << QByteArray("ab\0\0", 4) << read << QByteArray("ab\0", 3);
    QTest::newRow("1024 bytes with the zero byte: read whole")
        << REG_SZ << text1023 + QByteArray(1, '\0') << read << text1023;
    QTest::newRow("1025 bytes: absent")
        << REG_SZ << QByteArray(1025, 'x') << int(KeyValueOutcome::Absent) << QByteArray();
    QTest::newRow("no data: an error")
        << REG_SZ << QByteArray() << int(KeyValueOutcome::NoData) << QByteArray("as passed");
    QTest::newRow("number 0x12345678")
        << REG_DWORD << QByteArray("\x78\x56\x34\x12") << read << QByteArray("&h12345678");
    QTest::newRow("number 0x00000105 loses its top zero byte")
        << REG_DWORD << QByteArray("\x05\x01\x00\x00", 4) << read << QByteArray("&h000105");
    QTest::newRow("number 0x0A0B0C0D upper-case digits")
        << REG_DWORD << QByteArray("\x0D\x0C\x0B\x0A") << read << QByteArray("&h0A0B0C0D");
    QTest::newRow("other type leaves the output as passed")
        << quint32(3) << QByteArray("\x01\x02") << read << QByteArray("as passed");
    QTest::newRow("a zero byte alone is empty text")
        << REG_SZ << QByteArray(1, '\0') << read << QByteArray();
}

void TestKeyValue::rules()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(int, outcome);
    QFETCH(QByteArray, keyVal);
    std::string out = "as passed";
    const KeyValueOutcome got =
        interpretKeyValue(type, std::string_view(data.constData(), std::size_t(data.size())), out);
    QCOMPARE(int(got), outcome);
    QCOMPARE(QByteArray::fromStdString(out), keyVal);
}

QTEST_GUILESS_MAIN(TestKeyValue)
#include "tst_key_value.moc"
