// Turns a polite request to end the process (SIGTERM or SIGINT, as sent at logout) into an
// ordinary close on the event loop, so that the window stores what it stores at any close.
#pragma once

#include <functional>

namespace dewmoth::app {

void onTerminationRequest(std::function<void()> handler);

} // namespace dewmoth::app
