// Turns a polite request to end the process (SIGTERM, SIGINT or SIGHUP, as sent at logout or by
// a closing terminal) into an ordinary close on the event loop, so that the window stores what
// it stores at any close. The process ends all the same at a second request, or when the close
// has not ended it within a few seconds.
#pragma once

#include <functional>

namespace dewmoth::app {

void onTerminationRequest(std::function<void()> handler);

} // namespace dewmoth::app
