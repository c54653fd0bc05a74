// The per-user settings store: one store per application name, kept where the platform keeps
// such things (an INI file under $XDG_CONFIG_HOME on Linux, the registry on Windows).
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace dewmoth::app {

std::unique_ptr<QSettings> openSettings(const QString &application);

} // namespace dewmoth::app
