#include "core/path_text.h"

namespace dewmoth::core {

QString pathText(const std::filesystem::path &path)
{
    return QString::fromStdWString(path.native());
}

std::filesystem::path textPath(const QString &text)
{
    return std::filesystem::path(text.toStdWString());
}

} // namespace dewmoth::core
