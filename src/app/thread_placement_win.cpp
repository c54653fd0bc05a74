#include "app/thread_placement.h"

namespace dewmoth::app {

// Windows hands a new thread to an idle processor when it first becomes ready.
void placeApart(std::jthread &) {}

} // namespace dewmoth::app
