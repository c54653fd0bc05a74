#include "app/xdg_dirs.h"

#include <QDir>

namespace dewmoth::app {

QString configHome()
{
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace dewmoth::app
