#include "app/termination.h"

namespace dewmoth::app {

// Windows ends a GUI program at logoff through WM_QUERYENDSESSION/WM_CLOSE, which Qt already
// turns into a close of the window; nothing to add.
void onTerminationRequest(std::function<void()>) {}

} // namespace dewmoth::app
