// Paths as the file system has them and as Qt shows them, converted in one place: on the POSIX
// desktops a path is bytes in the locale's encoding (not always valid UTF-8), on Windows UTF-16.
#pragma once

#include <QString>

#include <filesystem>

namespace dewmoth::core {

// The path as text to show or hand to Qt.
QString pathText(const std::filesystem::path &path);

// The path that `text` (from Qt or the user) names.
std::filesystem::path textPath(const QString &text);

} // namespace dewmoth::core
