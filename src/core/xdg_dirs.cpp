#include "core/xdg_dirs.h"

#include <QDir>

namespace dewmoth::core {

namespace {

QString homeFolder(const char *variable, const QString &fallback)
{
    const QString configured = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + fallback;
}

} // namespace

QString configHome()
{
    return homeFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

QString dataHome()
{
    return homeFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}

QStringList systemConfigDirs()
{
    QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'));
    dirs.removeIf([](const QString &dir) { return !QDir::isAbsolutePath(dir); });
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    return dirs;
}

} // namespace dewmoth::core
