#include "app/settings_store.h"

#include "app/program_info.h"

namespace dewmoth::app {

std::unique_ptr<QSettings> openSettings(const QString &application)
{
    // HKEY_CURRENT_USER\Software\Dewmoth\<application>
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, productName(),
                                       application);
}

} // namespace dewmoth::app
