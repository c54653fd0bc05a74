#include "app/settings_store.h"

#include "app/program_info.h"

namespace dewmoth::app {

std::unique_ptr<QSettings> openSettings(const QString &application)
{
    // $XDG_CONFIG_HOME/Dewmoth/<application>.ini
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, productName(),
                                       application);
}

} // namespace dewmoth::app
