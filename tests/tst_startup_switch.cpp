// The start-at-logon switch over XDG autostart folders: which entry counts, and what switching
// writes or removes.
#include "shell/desktop_entry.h"
#include "shell/startup_folder.h"
#include "shell/startup_switch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace dewmoth::shell;

namespace {

const std::string kProduct = "Dewmoth";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

// The program the entry at `path` starts, read back the way a desktop reads it.
QString execOf(const QString &path)
{
    for (const QByteArray &line : readAll(path).split('\n')) {
        if (line.startsWith("Exec=")) {
            const auto args = parseExecValue(line.mid(5).toStdString());
            return args ? QString::fromStdString(args->front()) : QStringLiteral("<malformed>");
        }
    }
    return {};
}

} // namespace

class TestStartupSwitch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void specialFolders();
    void startupFolderIsCreated();
    void states_data();
    void states();
    void switchOnWritesEntryForTarget();
    void switchOffRemovesEntry();
    void switchOffHidesSystemEntry();
    void replacesForeignAndStaleEntries();
    void unwritableFolderReportsOff();
    void appImageTarget();
    void programPathThatIsNotUtf8();

private:
    QString userEntry() const { return m_home->filePath("config/autostart/Dewmoth.desktop"); }
    QString systemEntry() const { return m_home->filePath("sys2/autostart/Dewmoth.desktop"); }
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestStartupSwitch::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_home->filePath("config").toUtf8());
    // A relative entry is ignored; the first absolute one is the system folder.
    qputenv("XDG_CONFIG_DIRS",
            ("relative/dir:" + m_home->filePath("sys2") + ":" + m_home->filePath("sys3")).toUtf8());
}

void TestStartupSwitch::specialFolders()
{
    QCOMPARE(QString::fromStdString(GetSpecialFolder(kCsidlStartup).string()),
             m_home->filePath("config/autostart"));
    QCOMPARE(QString::fromStdString(GetSpecialFolder(kCsidlCommonStartup).string()),
             m_home->filePath("sys2/autostart"));
    QVERIFY(GetSpecialFolder(kCsidlRecent).empty());
    QVERIFY(GetSpecialFolder(12345).empty());
    qputenv("XDG_CONFIG_DIRS", "");
    QCOMPARE(GetSpecialFolder(kCsidlCommonStartup).string(), std::string("/etc/xdg/autostart"));
}

void TestStartupSwitch::startupFolderIsCreated()
{
    QVERIFY(!QFileInfo::exists(m_home->filePath("config/autostart")));
    QCOMPARE(QString::fromStdString(GetStartupFolder().string()),
             m_home->filePath("config/autostart"));
    QVERIFY(QFileInfo(m_home->filePath("config/autostart")).isDir());
    QVERIFY(!QFileInfo::exists(m_home->filePath("sys2/autostart")));
}

void TestStartupSwitch::states_data()
{
    QTest::addColumn<QByteArray>("user");   // "-" for none
    QTest::addColumn<QByteArray>("system"); // "-" for none
    QTest::addColumn<bool>("enabled");
    const QByteArray entry("[Desktop Entry]\nType=Application\nName=Dewmoth\nExec=/x\n");
    const QByteArray hidden = entry + "Hidden=true\n";
    QTest::newRow("absent") << QByteArray("-") << QByteArray("-") << false;
    QTest::newRow("user entry") << entry << QByteArray("-") << true;
    QTest::newRow("user entry hidden") << hidden << QByteArray("-") << false;
    QTest::newRow("system entry only") << QByteArray("-") << entry << true;
    QTest::newRow("system entry hidden by the user") << hidden << entry << false;
    QTest::newRow("user entry over a hidden system one") << entry << hidden << true;
    QTest::newRow("system entry switched off the GNOME way")
        << QByteArray("-") << entry + "X-GNOME-Autostart-enabled=false\n"
        << false;
}

void TestStartupSwitch::states()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, system);
    QFETCH(bool, enabled);
    if (user != "-")
        writeFile(userEntry(), user);
    if (system != "-")
        writeFile(systemEntry(), system);
    QCOMPARE(IsStartupEnabled(kProduct), enabled);
}

void TestStartupSwitch::switchOnWritesEntryForTarget()
{
    const std::string target = "/opt/My \"odd\" $dir %1/ë\\dewmoth";
    QVERIFY(SetStartupEnabled(true, kProduct, target));
    QCOMPARE(execOf(userEntry()), QString::fromStdString(target));
    QVERIFY(readAll(userEntry()).contains("Name=Dewmoth\n"));
    QVERIFY(IsStartupEnabled(kProduct));
}

void TestStartupSwitch::switchOffRemovesEntry()
{
    QVERIFY(SetStartupEnabled(true, kProduct, "/x/dewmoth"));
    QVERIFY(!SetStartupEnabled(false, kProduct, "/x/dewmoth"));
    QVERIFY(!QFileInfo::exists(userEntry()));
    // Switching off what is already off is no error.
    QVERIFY(!SetStartupEnabled(false, kProduct, "/x/dewmoth"));
}

void TestStartupSwitch::switchOffHidesSystemEntry()
{
    const QByteArray system("[Desktop Entry]\nType=Application\nName=Dewmoth\nExec=/x\n");
    writeFile(systemEntry(), system);
    QVERIFY(!SetStartupEnabled(false, kProduct, "/x/dewmoth"));
    QVERIFY(readAll(userEntry()).contains("Hidden=true"));
    QCOMPARE(readAll(systemEntry()), system); // the system folder is never written
    QVERIFY(SetStartupEnabled(true, kProduct, "/x/dewmoth"));
    QVERIFY(!readAll(userEntry()).contains("Hidden"));
}

void TestStartupSwitch::replacesForeignAndStaleEntries()
{
    writeFile(userEntry(), "[Desktop Entry]\nType=Application\nExec=/old/place/dewmoth\n");
    QVERIFY(IsStartupEnabled(kProduct));
    QVERIFY(SetStartupEnabled(true, kProduct, "/new/place/dewmoth"));
    QCOMPARE(execOf(userEntry()), QStringLiteral("/new/place/dewmoth"));

    writeFile(userEntry(), "not a desktop entry at all");
    QVERIFY(SetStartupEnabled(true, kProduct, "/new/place/dewmoth"));
    QCOMPARE(execOf(userEntry()), QStringLiteral("/new/place/dewmoth"));
}

void TestStartupSwitch::unwritableFolderReportsOff()
{
    // The autostart "folder" is a file: nothing can be written, and the state says so.
    writeFile(m_home->filePath("config/autostart"), "in the way");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create the autostart folder"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write startup entry"));
    QVERIFY(!SetStartupEnabled(true, kProduct, "/x/dewmoth"));

    // An entry that cannot be read (here a folder of that name) counts as off.
    QFile::remove(m_home->filePath("config/autostart"));
    QVERIFY(QDir().mkpath(userEntry()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read startup entry"));
    QVERIFY(!IsStartupEnabled(kProduct));
}

void TestStartupSwitch::appImageTarget()
{
    qputenv("APPIMAGE", "/home/u/Apps/Dewmoth.AppImage");
    QCOMPARE(StartupTarget("/tmp/.mount_x/usr/bin/dewmoth").string(),
             std::string("/home/u/Apps/Dewmoth.AppImage"));
    qunsetenv("APPIMAGE");
    QCOMPARE(StartupTarget("/usr/lib/dewmoth/dewmoth").string(),
             std::string("/usr/lib/dewmoth/dewmoth"));
}

void TestStartupSwitch::programPathThatIsNotUtf8()
{
    // A desktop entry is UTF-8 text: such a program cannot be named in one, and the switch says
    // so instead of writing an entry that starts nothing.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot name this program"));
    QVERIFY(!SetStartupEnabled(true, kProduct, "/opt/a\xff b/dewmoth"));
    QVERIFY(!QFileInfo::exists(userEntry()));
}

QTEST_GUILESS_MAIN(TestStartupSwitch)
#include "tst_startup_switch.moc"
