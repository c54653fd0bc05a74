// The start-at-logon switch over XDG autostart folders: which entry counts, what the start-up
// test and a switch write or remove, and that nothing but our own entry is ever touched, however
// hostile the autostart folder is.
#include "shell/desktop_entry.h"
#include "shell/startup_folder.h"
#include "shell/startup_switch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "unprivileged.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace dewmoth::shell;

namespace {

const std::string kProduct = "Dewmoth";

QByteArray readAll(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {}; // opening a FIFO here would hang the test
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
    const auto program = entryProgram(readAll(path).toStdString());
    return program ? QString::fromStdString(*program) : QString();
}

// What stands at a path, without following a link: "none", "link", "file", "fifo", ...
QString kindOf(const QString &path)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("none");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link");
    if (S_ISREG(info.st_mode))
        return QStringLiteral("file");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("fifo");
    return QStringLiteral("other");
}

mode_t permissionsOf(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

ino_t inodeOf(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
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
    void switching_data();
    void switching();
    void switchOnWritesEntryForTarget();
    void unwritableFolderReportsOff();
    void appImageTarget_data();
    void appImageTarget();
    void programPathThatIsNotUtf8();

private:
    QString userEntry() const { return m_home->filePath("config/autostart/Dewmoth.desktop"); }
    QString systemEntry() const { return m_home->filePath("sys2/autostart/Dewmoth.desktop"); }
    // Where a link in the autostart folder points: a user's document, or a kept entry.
    QString elsewhere() const { return m_home->filePath("documents/kept"); }
    // The running program: a real file, so that other names for it can be recognised.
    std::filesystem::path target() const
    {
        return QFile::encodeName(m_home->filePath("bin/dewmoth")).toStdString();
    }
    void place(const QString &kind, const QByteArray &content);
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestStartupSwitch::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_home->filePath("config").toUtf8());
    // A relative entry is ignored; the first absolute one is the system folder.
    qputenv("XDG_CONFIG_DIRS",
            ("relative/dir:" + m_home->filePath("sys2") + ":" + m_home->filePath("sys3")).toUtf8());
    writeFile(m_home->filePath("bin/dewmoth"), "#!/bin/sh\n");
    QFile::setPermissions(m_home->filePath("bin/dewmoth"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Puts `content` at the user's entry as `kind` says.
void TestStartupSwitch::place(const QString &kind, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(userEntry()).absolutePath());
    const QByteArray entry = QFile::encodeName(userEntry());
    if (kind == "file" || kind == "private file") {
        writeFile(userEntry(), content);
        if (kind == "private file")
            QCOMPARE(::chmod(entry.constData(), 0600), 0);
    } else if (kind == "link") {
        writeFile(elsewhere(), content);
        QVERIFY(QFile::link(elsewhere(), userEntry()));
    } else if (kind == "dangling") {
        QVERIFY(QFile::link(m_home->filePath("nowhere/created"), userEntry()));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(entry.constData(), 0644), 0);
    } else if (kind == "device") {
        QVERIFY(QFile::link("/dev/zero", userEntry()));
    } else if (kind == "large") {
        writeFile(userEntry(), content + "X-Padding=" + QByteArray(100 * 1024, 'x') + "\n");
    }
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
    // An empty or relative XDG_CONFIG_HOME is ignored, never taken from the working folder.
    const QString fallback = QDir::homePath() + "/.config/autostart";
    for (const char *value : {"", "relative/config"}) {
        qputenv("XDG_CONFIG_HOME", value);
        QCOMPARE(QString::fromStdString(GetSpecialFolder(kCsidlStartup).string()), fallback);
    }
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
    QTest::addColumn<QString>("kind"); // how the user's entry stands: see place()
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("system"); // "-" for none
    QTest::addColumn<bool>("enabled");
    const QByteArray entry("[Desktop Entry]\nType=Application\nName=Dewmoth\nExec=/x/dewmoth\n");
    const QByteArray hidden = entry + "Hidden=true\n";
    const QByteArray none("-");
    QTest::newRow("absent") << "none" << none << none << false;
    QTest::newRow("user entry") << "file" << entry << none << true;
    QTest::newRow("user entry hidden") << "file" << hidden << none << false;
    QTest::newRow("system entry only") << "none" << none << entry << true;
    QTest::newRow("system entry hidden by the user") << "file" << hidden << entry << false;
    QTest::newRow("user entry over a hidden system one") << "file" << entry << hidden << true;
    QTest::newRow("system entry switched off the GNOME way")
        << "none" << none << entry + "X-GNOME-Autostart-enabled=false\n"
        << false;
    QTest::newRow("empty file") << "file" << QByteArray() << none << false;
    QTest::newRow("no [Desktop Entry] group")
        << "file" << QByteArray("Exec=/x/dewmoth\n") << none << false;
    QTest::newRow("not a desktop entry at all")
        << "file" << QByteArray("dear diary") << none << false;
    QTest::newRow("starts another program")
        << "file" << QByteArray("[Desktop Entry]\nExec=/usr/bin/rm -rf /\n") << none << false;
    QTest::newRow("bare program name")
        << "file" << QByteArray("[Desktop Entry]\nExec=dewmoth\n") << none << true;
    QTest::newRow("link to a document") << "link" << QByteArray("my notes") << none << false;
    QTest::newRow("link to a kept entry") << "link" << entry << none << true;
    QTest::newRow("dangling link hides the system entry") << "dangling" << none << entry << false;
    QTest::newRow("FIFO") << "fifo" << none << entry << false;
    QTest::newRow("link to /dev/zero") << "device" << none << none << false;
    QTest::newRow("too large to be ours") << "large" << entry << none << false;
}

void TestStartupSwitch::states()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, system);
    QFETCH(bool, enabled);
    place(kind, user);
    if (system != "-")
        writeFile(systemEntry(), system);
    if (kind == "fifo" || kind == "device" || kind == "large")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read startup entry"));
    QCOMPARE(IsStartupEnabled(kProduct, "/x/dewmoth"), enabled);
}

void TestStartupSwitch::switching_data()
{
    QTest::addColumn<QString>("kind"); // the user's entry before: see place()
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("system"); // "-" for none
    QTest::addColumn<QString>("action");    // "start" (the start-up test), "on", "off"
    QTest::addColumn<QString>("trouble");   // "", "full disk", "read-only folder"
    QTest::addColumn<bool>("enabled");      // the state reported, and on disk
    QTest::addColumn<QString>("after");     // the user's entry after: see switching()
    QTest::addColumn<bool>("failure");      // whether a failure is reported

    const QByteArray none("-");
    const QByteArray here("[Desktop Entry]\nType=Application\nExec=@\n");
    const QByteArray stale("# edited by hand\n[Desktop Entry]\nType=Application\nName=Dewmoth\n"
                           "Exec=/old/place/dewmoth --quiet\nX-Custom=kept\n");
    const QByteArray hidden = stale + "Hidden=true\n";

    // At start: nothing is written unless our own plain entry names an older place.
    QTest::newRow("start: nothing") << "none" << none << none << "start"
                                    << "" << false << "same" << false;
    QTest::newRow("start: already ours, nothing written") << "file" << here << none << "start"
                                                          << "" << true << "same" << false;
    QTest::newRow("start: hand-edited stale entry re-pointed, keys kept")
        << "file" << stale << none << "start"
        << "" << true << "re-pointed" << false;
    QTest::newRow("start: a private hand-edited entry stays private when re-pointed")
        << "private file" << stale << none << "start"
        << "" << true << "re-pointed" << false;
    QTest::newRow("start: system entry never copied") << "none" << none << stale << "start"
                                                      << "" << true << "same" << false;
    QTest::newRow("start: link to a document left alone")
        << "link" << QByteArray("root:x:0:0::/root:/bin/sh\n") << none << "start"
        << "" << false << "same" << false;
    QTest::newRow("start: dangling link left alone") << "dangling" << none << none << "start"
                                                     << "" << false << "same" << false;
    QTest::newRow("start: link to a kept stale entry left alone")
        << "link" << stale << none << "start"
        << "" << true << "same" << false;
    QTest::newRow("start: FIFO") << "fifo" << none << none << "start"
                                 << "" << false << "same" << false;
    QTest::newRow("start: link to /dev/zero") << "device" << none << none << "start"
                                              << "" << false << "same" << false;
    QTest::newRow("start: stale entry on a full disk stays as it was")
        << "file" << stale << none << "start"
        << "full disk" << true << "same" << true;
    QTest::newRow("start: stale entry in a read-only folder stays as it was")
        << "file" << stale << none << "start"
        << "read-only folder" << true << "same" << true;

    // Switching on: the link itself is replaced; what it points to is never written.
    QTest::newRow("on: fresh") << "none" << none << none << "on"
                               << "" << true << "fresh" << false;
    QTest::newRow("on: link to a document replaced, document kept")
        << "link" << QByteArray("root:x:0:0::/root:/bin/sh\n") << none << "on"
        << "" << true << "fresh" << false;
    QTest::newRow("on: dangling link replaced, nothing created where it pointed")
        << "dangling" << none << none << "on"
        << "" << true << "fresh" << false;
    QTest::newRow("on: link to a kept entry becomes our own copy")
        << "link" << stale << none << "on"
        << "" << true << "re-pointed" << false;
    QTest::newRow("on: hidden hand-edited entry keeps its keys")
        << "file" << hidden << none << "on"
        << "" << true << "re-pointed" << false;
    QTest::newRow("on: already ours, nothing written") << "file" << here << none << "on"
                                                       << "" << true << "same" << false;
    QTest::newRow("on: foreign file replaced") << "file" << QByteArray("dear diary") << none << "on"
                                               << "" << true << "fresh" << false;
    QTest::newRow("on: FIFO replaced") << "fifo" << none << none << "on"
                                       << "" << true << "fresh" << false;
    QTest::newRow("on: full disk") << "none" << none << none << "on"
                                   << "full disk" << false << "same" << true;
    QTest::newRow("on: full disk keeps a foreign file")
        << "file" << QByteArray("dear diary") << none << "on"
        << "full disk" << false << "same" << true;
    QTest::newRow("on: read-only folder") << "none" << none << none << "on"
                                          << "read-only folder" << false << "same" << true;

    // Switching off removes the name itself, never what a link points to.
    QTest::newRow("off: own entry removed") << "file" << here << none << "off"
                                            << "" << false << "gone" << false;
    QTest::newRow("off: link removed, kept entry untouched") << "link" << stale << none << "off"
                                                             << "" << false << "gone" << false;
    QTest::newRow("off: already off") << "none" << none << none << "off"
                                      << "" << false << "same" << false;
    QTest::newRow("off: system entry hidden for this user") << "none" << none << stale << "off"
                                                            << "" << false << "hidden" << false;
    QTest::newRow("off: read-only folder keeps the entry")
        << "file" << here << none << "off"
        << "read-only folder" << true << "same" << true;
}

void TestStartupSwitch::switching()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, system);
    QFETCH(QString, action);
    QFETCH(QString, trouble);
    QFETCH(bool, enabled);
    QFETCH(QString, after);
    QFETCH(bool, failure);

    const QByteArray program = QFile::encodeName(m_home->filePath("bin/dewmoth"));
    user.replace('@', program);
    place(kind, user);
    if (system != "-")
        writeFile(systemEntry(), system);
    const QString folder = m_home->filePath("config/autostart");
    const QByteArray before = readAll(userEntry());
    const QString kindBefore = kindOf(userEntry());
    const ino_t inodeBefore = inodeOf(userEntry());
    const QByteArray keptBefore = readAll(elsewhere());

    QTest::failOnWarning(QRegularExpression("cannot read startup entry(?!.*not a regular)"));
    for (int i = 0; i < (kind == "fifo" || kind == "device" ? 2 : 0) - (action != "start"); ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a regular file"));
    if (!trouble.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot (write|delete) startup"));
    StartupState state;
    {
        std::optional<FullDisk> full;
        if (trouble == "full disk")
            full.emplace();
        if (trouble == "read-only folder")
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (action == "start")
            state = RefreshStartupEntry(kProduct, target());
        else
            state = SetStartupEnabled(action == "on", kProduct, target());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QCOMPARE(state.enabled, enabled);
    QCOMPARE(state.failure.failed(), failure);
    if (failure) // a code the window words in the user's language (the "disk" here is a limit)
        QCOMPARE(state.failure.reason, trouble == "full disk" ? dewmoth::core::Reason::TooLarge
                                                              : dewmoth::core::Reason::NoAccess);
    QCOMPARE(IsStartupEnabled(kProduct, target()), enabled);

    if (after == "same") {
        QCOMPARE(kindOf(userEntry()), kindBefore);
        QCOMPARE(inodeOf(userEntry()), inodeBefore);
        if (kindBefore == "file")
            QCOMPARE(readAll(userEntry()), before);
    } else if (after == "gone") {
        QCOMPARE(kindOf(userEntry()), QStringLiteral("none"));
    } else {
        QCOMPARE(kindOf(userEntry()), QStringLiteral("file"));
        QCOMPARE(execOf(userEntry()), QFile::decodeName(program));
        const QByteArray now = readAll(userEntry());
        QCOMPARE(now.contains("Hidden=true"), after == "hidden");
        if (kind == "private file")
            QCOMPARE(permissionsOf(userEntry()), mode_t(0600));
        if (after == "re-pointed") {
            QVERIFY(now.contains("X-Custom=kept\n"));
            QVERIFY(now.contains("# edited by hand\n"));
            QVERIFY(now.contains(" --quiet\n"));
        }
    }
    // Nothing else anywhere: what a link pointed to, the system folder, no leftovers.
    QCOMPARE(readAll(elsewhere()), keptBefore);
    QVERIFY(!QFileInfo::exists(m_home->filePath("nowhere")));
    QCOMPARE(readAll(systemEntry()), system == "-" ? QByteArray() : system);
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                    QDir::Hidden | QDir::System);
    QVERIFY2(left.size() <= 1, qPrintable(left.join(", ")));
}

void TestStartupSwitch::switchOnWritesEntryForTarget()
{
    const std::string odd = "/opt/My \"odd\" $dir %1/ë\\dewmoth";
    QVERIFY(SetStartupEnabled(true, kProduct, odd).enabled);
    QCOMPARE(execOf(userEntry()), QString::fromStdString(odd));
    QVERIFY(readAll(userEntry()).contains("Name=Dewmoth\n"));
    QVERIFY(IsStartupEnabled(kProduct, odd));
    // The same program reached through a link (as /usr/bin/dewmoth), or by name in PATH, is no
    // reason to rewrite.
    const QString alias = m_home->filePath("usr/bin/dewmoth");
    QDir().mkpath(m_home->filePath("usr/bin"));
    QVERIFY(QFile::link(m_home->filePath("bin/dewmoth"), alias));
    writeFile(userEntry(), "[Desktop Entry]\nExec=" + QFile::encodeName(alias) + "\n");
    const ino_t inodeViaLink = inodeOf(userEntry());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_home->filePath("bin")));
    const StartupState viaLink = RefreshStartupEntry(kProduct, target());
    QCOMPARE(inodeOf(userEntry()), inodeViaLink);
    writeFile(userEntry(), "[Desktop Entry]\nExec=dewmoth\n");
    const ino_t inodeByName = inodeOf(userEntry());
    const StartupState byName = SetStartupEnabled(true, kProduct, target());
    qputenv("PATH", path);
    QVERIFY(viaLink.enabled && byName.enabled);
    QCOMPARE(inodeOf(userEntry()), inodeByName);
}

void TestStartupSwitch::unwritableFolderReportsOff()
{
    // The autostart "folder" is a file: nothing can be written, and the state says so.
    writeFile(m_home->filePath("config/autostart"), "in the way");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot create the autostart folder"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write startup entry"));
    const StartupState state = SetStartupEnabled(true, kProduct, target());
    QVERIFY(!state.enabled);
    QVERIFY(state.failure.failed());

    // An entry that cannot be read (here a folder of that name) counts as off.
    QFile::remove(m_home->filePath("config/autostart"));
    QVERIFY(QDir().mkpath(userEntry()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read startup entry"));
    QVERIFY(!IsStartupEnabled(kProduct, target()));
}

void TestStartupSwitch::appImageTarget_data()
{
    QTest::addColumn<QByteArray>("appImage"); // "-": unset
    QTest::addColumn<QByteArray>("appDir");   // "-": unset
    QTest::addColumn<QByteArray>("executable");
    QTest::addColumn<QByteArray>("target");
    const QByteArray image("/home/u/Apps/Dewmoth.AppImage");
    const QByteArray inside("/tmp/.mount_x/usr/bin/dewmoth");
    const QByteArray plain("/usr/lib/dewmoth/dewmoth");
    QTest::newRow("no AppImage") << QByteArray("-") << QByteArray("-") << plain << plain;
    QTest::newRow("run from the AppImage")
        << image << QByteArray("/tmp/.mount_x") << inside << image;
    QTest::newRow("inherited from another AppImage")
        << QByteArray("/home/u/Apps/Editor.AppImage") << QByteArray("/tmp/.mount_e") << plain
        << plain;
    QTest::newRow("mount name that only starts alike")
        << image << QByteArray("/tmp/.mount_") << inside << inside;
    QTest::newRow("APPDIR missing") << image << QByteArray("-") << inside << inside;
    QTest::newRow("APPDIR is the root") << image << QByteArray("/") << inside << inside;
    QTest::newRow("relative APPIMAGE")
        << QByteArray("Dewmoth.AppImage") << QByteArray("/tmp/.mount_x") << inside << inside;
}

void TestStartupSwitch::appImageTarget()
{
    QFETCH(QByteArray, appImage);
    QFETCH(QByteArray, appDir);
    QFETCH(QByteArray, executable);
    QFETCH(QByteArray, target);
    const auto set = [](const char *name, const QByteArray &value) {
        if (value == "-")
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("APPIMAGE", appImage);
    set("APPDIR", appDir);
    const std::string chosen = StartupTarget(executable.toStdString()).string();
    qunsetenv("APPIMAGE");
    qunsetenv("APPDIR");
    QCOMPARE(QByteArray::fromStdString(chosen), target);
}

void TestStartupSwitch::programPathThatIsNotUtf8()
{
    // A desktop entry is UTF-8 text: such a program cannot be named in one, and the switch says
    // so instead of writing an entry that starts nothing.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot name this program"));
    const StartupState state = SetStartupEnabled(true, kProduct, "/opt/a\xff b/dewmoth");
    QVERIFY(!state.enabled);
    QVERIFY(state.failure.failed());
    QVERIFY(!QFileInfo::exists(userEntry()));
}

int main(int argc, char *argv[])
{
    dropRootPrivileges();
    QCoreApplication app(argc, argv);
    TestStartupSwitch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup_switch.moc"
