#include "shell/startup_switch.h"

#include "shell/desktop_entry.h"
#include "shell/shell_log.h"
#include "shell/startup_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace dewmoth::shell {

namespace {

QString entryName(const std::string &productName)
{
    return QString::fromStdString(productName) + QStringLiteral(".desktop");
}

QString userEntry(const std::string &productName)
{
    return QString::fromStdString(GetSpecialFolder(kCsidlStartup).string()) + QLatin1Char('/') +
           entryName(productName);
}

// The entry the desktop honours: the user's own, else the first system folder's that has one.
QString effectiveEntry(const std::string &productName)
{
    const QString own = userEntry(productName);
    if (QFileInfo::exists(own))
        return own;
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(dir))
            continue;
        const QString candidate = dir + QStringLiteral("/autostart/") + entryName(productName);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

bool writeHiddenEntry(const QString &path, const std::string &productName)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const std::string text = startupEntryText(productName, "Switched off for this user",
                                              "example.orlanvesty.Dewmoth", "true", true);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.data(), qint64(text.size()));
        if (file.commit())
            return true;
    }
    qCWarning(lcShell) << "cannot write" << path << file.errorString();
    return false;
}

} // namespace

std::filesystem::path StartupEntryPath(const std::string &productName)
{
    return GetStartupFolder() / (productName + ".desktop");
}

std::filesystem::path StartupTarget(const std::filesystem::path &executable)
{
    // Inside an AppImage the executable lives on a mount that is gone after the run.
    const QByteArray appImage = qgetenv("APPIMAGE");
    if (!appImage.isEmpty())
        return std::filesystem::path(appImage.toStdString());
    return executable;
}

bool IsStartupEnabled(const std::string &productName)
{
    const QString path = effectiveEntry(productName);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcShell) << "cannot read startup entry" << path << file.errorString();
        return false;
    }
    const QByteArray content = file.readAll();
    return autostartEntryEnabled(
        std::string_view(content.constData(), std::size_t(content.size())));
}

bool SetStartupEnabled(bool enabled, const std::string &productName,
                       const std::filesystem::path &target)
{
    if (enabled) {
        CreateShortcut(target, StartupEntryPath(productName));
        return IsStartupEnabled(productName);
    }
    const QString own = userEntry(productName);
    if (QFileInfo::exists(own) && !QFile::remove(own))
        qCWarning(lcShell) << "cannot delete startup entry" << own;
    if (IsStartupEnabled(productName) && !QFileInfo::exists(own))
        writeHiddenEntry(own, productName);
    return IsStartupEnabled(productName);
}

} // namespace dewmoth::shell
