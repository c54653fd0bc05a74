#include "core/program_info.h"

#include "core/xdg_dirs.h"

#include <QCoreApplication>
#include <QFile>

#include <system_error>

namespace dewmoth::core {

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
    return std::filesystem::path(
        QFile::encodeName(core::dataHome() + QLatin1Char('/') + productName()).toStdString());
}

} // namespace dewmoth::core
