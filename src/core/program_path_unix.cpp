#include "core/program_info.h"

#include "core/path_text.h"
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
    return textPath(QCoreApplication::applicationFilePath());
}

std::filesystem::path userDataFolder()
{
    return textPath(dataHome() + QLatin1Char('/') + productName());
}

} // namespace dewmoth::core
