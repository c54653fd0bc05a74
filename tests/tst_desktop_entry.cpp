// Desktop entries: Exec quoting survives hostile program paths, and the autostart keys we read.
#include "shell/desktop_entry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace dewmoth::shell;

class TestDesktopEntry : public QObject
{
    Q_OBJECT

private slots:
    void execRoundTrip_data();
    void execRoundTrip();
    void execQuotingForm_data();
    void execQuotingForm();
    void malformedExec_data();
    void malformedExec();
    void autostartKeys_data();
    void autostartKeys();
};

void TestDesktopEntry::execRoundTrip_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::newRow("plain") << QByteArray("/usr/lib/dewmoth/dewmoth");
    QTest::newRow("spaces") << QByteArray("/home/a b/My Programs/dewmoth");
    QTest::newRow("double quote") << QByteArray("/opt/say \"hi\"/dewmoth");
    QTest::newRow("single quote") << QByteArray("/opt/it's/dewmoth");
    QTest::newRow("dollar and backtick") << QByteArray("/opt/$HOME/`id`/dewmoth");
    QTest::newRow("percent") << QByteArray("/opt/100%/%f/dewmoth");
    QTest::newRow("backslashes") << QByteArray("/opt/a\\b\\\\c/dewmoth");
    QTest::newRow("shell characters") << QByteArray("/opt/a;b&c|d<e>f*g?h#i(j)~k/dewmoth");
    QTest::newRow("tab") << QByteArray("/opt/a\tb/dewmoth");
    QTest::newRow("newline") << QByteArray("/opt/a\nb/dewmoth");
    QTest::newRow("carriage return") << QByteArray("/opt/a\rb/dewmoth");
    QTest::newRow("non-ASCII letters") << QByteArray("/home/Zoë/Прога/蛾/dewmoth");
    QTest::newRow("everything at once") << QByteArray("/t/ \"'\\$`%%\\n ë/dewmoth");
}

void TestDesktopEntry::execRoundTrip()
{
    QFETCH(QByteArray, program);
    const std::string path = program.toStdString();
    const std::string exec = execValueFor(path);
    QVERIFY2(exec.find('\n') == std::string::npos, exec.c_str());
    const auto args = parseExecValue(exec);
    QVERIFY2(args.has_value(), exec.c_str());
    QCOMPARE(args->size(), std::size_t(1));
    QCOMPARE(QByteArray::fromStdString(args->front()), program);
    // TryExec, read back as a desktop reads a string value, names the same program.
    const std::string entry = startupEntryText("Dewmoth", "", "", path, false);
    const std::size_t tryExec = entry.find("\nTryExec=") + 9;
    const auto named = unescapeStringValue(
        std::string_view(entry).substr(tryExec, entry.find('\n', tryExec) - tryExec));
    QVERIFY(named.has_value());
    QCOMPARE(QByteArray::fromStdString(*named), program);

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QTemporaryDir dir;
    const QString file = dir.filePath("Dewmoth.desktop");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromStdString(startupEntryText(
        "Dewmoth", "Shows one short saying at a time", "example.orlanvesty.Dewmoth", path, false)));
    out.close();
    QProcess check;
    check.start(validator, {file});
    QVERIFY(check.waitForFinished());
    QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
}

void TestDesktopEntry::execQuotingForm_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("exec");
    QTest::newRow("no reserved character: unquoted")
        << QByteArray("/usr/bin/dewmoth") << QByteArray("/usr/bin/dewmoth");
    QTest::newRow("percent doubled even unquoted") << QByteArray("/a%b") << QByteArray("/a%%b");
    QTest::newRow("space: quoted") << QByteArray("/a b") << QByteArray("\"/a b\"");
    // Inside quotes \ becomes \\, then the string escaping doubles both again.
    QTest::newRow("backslash") << QByteArray("/a\\b") << QByteArray("\"/a\\\\\\\\b\"");
    QTest::newRow("dollar") << QByteArray("/a$b") << QByteArray("\"/a\\\\$b\"");
}

void TestDesktopEntry::execQuotingForm()
{
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, exec);
    QCOMPARE(QByteArray::fromStdString(execValueFor(program.toStdString())), exec);
}

void TestDesktopEntry::malformedExec_data()
{
    QTest::addColumn<QByteArray>("exec");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("unclosed quote") << QByteArray("\"/a b");
    QTest::newRow("field code") << QByteArray("/usr/bin/x %f");
    QTest::newRow("lone percent at the end") << QByteArray("/usr/bin/x%");
    QTest::newRow("unknown string escape") << QByteArray("/usr/bin/\\q");
    QTest::newRow("unquoted reserved character") << QByteArray("/usr/bin/a$b");
    QTest::newRow("text glued to a closing quote") << QByteArray("\"/a\"b");
    QTest::newRow("unescaped backtick inside quotes") << QByteArray("\"/a b/`id`\"");
    QTest::newRow("unescaped dollar inside quotes") << QByteArray("\"/a b/$HOME\"");
}

void TestDesktopEntry::malformedExec()
{
    QFETCH(QByteArray, exec);
    QVERIFY(!parseExecValue(exec.toStdString()).has_value());
}

void TestDesktopEntry::autostartKeys_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QByteArray>("program"); // what Exec starts; "-" for nothing
    const QByteArray head("[Desktop Entry]\nType=Application\nExec=/x\n");
    QTest::newRow("plain entry") << head << true << QByteArray("/x");
    QTest::newRow("Hidden=true") << head + "Hidden=true\n" << false << QByteArray("/x");
    QTest::newRow("Hidden = true with blanks") << head + "Hidden = true\r\n"
                                               << false << QByteArray("/x");
    QTest::newRow("Hidden=false") << head + "Hidden=false\n" << true << QByteArray("/x");
    QTest::newRow("switched off the GNOME way") << head + "X-GNOME-Autostart-enabled=false\n"
                                                << false << QByteArray("/x");
    QTest::newRow("GNOME key true") << head + "X-GNOME-Autostart-enabled=true\n"
                                    << true << QByteArray("/x");
    QTest::newRow("key in another group does not count")
        << head + "[Desktop Action x]\nHidden=true\nExec=/y\n"
        << true << QByteArray("/x");
    QTest::newRow("commented out") << head + "#Hidden=true\n" << true << QByteArray("/x");
    QTest::newRow("empty file") << QByteArray() << true << QByteArray("-");
    QTest::newRow("no group") << QByteArray("Exec=/x\n") << true << QByteArray("-");
    QTest::newRow("Exec only in another group")
        << QByteArray("[Desktop Action a]\nExec=/x\n") << true << QByteArray("-");
    QTest::newRow("malformed Exec")
        << QByteArray("[Desktop Entry]\nExec=\"/x\n") << true << QByteArray("-");
    QTest::newRow("arguments, user keys, CRLF, no last line end")
        << QByteArray("# mine\r\n[Desktop Entry]\r\nName[de]=Taumotte\r\nExec=\"/old dir/dewmoth\" "
                      "--quiet\r\nTryExec=/old dir/dewmoth\r\nX-Custom=1\r\nHidden=true")
        << false << QByteArray("/old dir/dewmoth");
}

void TestDesktopEntry::autostartKeys()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, enabled);
    QFETCH(QByteArray, program);
    const std::string text = content.toStdString();
    QCOMPARE(autostartEntryEnabled(text), enabled);
    const auto started = entryProgram(text);
    QCOMPARE(started ? QByteArray::fromStdString(*started) : QByteArray("-"), program);
    if (!started)
        return;

    // Switched on for a program elsewhere: only Exec, TryExec and the switches change.
    const std::string moved = "/new place/100%/dewmoth";
    const std::string on = entryStarting(text, moved);
    QVERIFY(autostartEntryEnabled(on));
    QCOMPARE(entryProgram(on).value_or("-"), moved);
    QStringList kept, was;
    const auto keyLines = [](const std::string &t) {
        QStringList lines = QString::fromStdString(t).split('\n');
        lines.removeIf([](const QString &l) {
            return l.isEmpty() || l.startsWith("Exec=") || l.startsWith("TryExec=") ||
                   l.startsWith("Hidden") || l.startsWith("X-GNOME-Autostart-enabled");
        });
        return lines;
    };
    QCOMPARE(keyLines(on), keyLines(text));
    if (content.contains("--quiet")) {
        QVERIFY(on.find("Exec=\"/new place/100%%/dewmoth\" --quiet\r\n") != std::string::npos);
        QVERIFY(on.find("TryExec=/new place/100%/dewmoth\r\n") != std::string::npos);
    }
}

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "tst_desktop_entry.moc"
