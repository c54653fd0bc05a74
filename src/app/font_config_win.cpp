#include "app/font_warmup.h"

namespace dewmoth::app {

void loadSystemFontConfiguration()
{
    // Qt asks the system for its fonts itself; there is nothing to load ahead of it.
}

} // namespace dewmoth::app
