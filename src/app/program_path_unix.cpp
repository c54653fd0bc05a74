#include "app/program_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <system_error>

namespace dewmoth::app {

std::filesystem::path executableFile()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self;
    return std::filesystem::path(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
}

std::filesystem::path userDataFolder()
{
    // An empty or relative $XDG_DATA_HOME is ignored, as the XDG rules say.
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.local/share");
    return std::filesystem::path(
        QFile::encodeName(home + QLatin1Char('/') + productName()).toStdString());
}

} // namespace dewmoth::app
