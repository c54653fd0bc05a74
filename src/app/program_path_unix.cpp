#include "app/program_info.h"

#include <QCoreApplication>
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

} // namespace dewmoth::app
