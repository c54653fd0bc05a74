#include "app/font_warmup.h"

#include <fontconfig/fontconfig.h>

namespace dewmoth::app {

void loadSystemFontConfiguration()
{
    // Reads the configuration files and the font caches once for the process; Qt's font
    // database finds them loaded.
    FcInit();
}

} // namespace dewmoth::app
