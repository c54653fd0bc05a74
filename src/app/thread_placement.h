// Where a new thread first runs. The scheduler starts a new thread on its creator's processor and
// moves it only when it balances load, milliseconds later; until then a worker meant to run beside
// a busy main thread shares one core with it and both take almost twice as long. Whether this
// still pays shows in bench/bench_startup.cpp (start to first frame against a minimal window).
#pragma once

#include <thread>

namespace dewmoth::app {

// Moves a thread that has just been started to another processor than the calling thread's, if
// there is one, and leaves it free to go anywhere from there. Nothing happens where the platform
// spreads new threads itself or cannot say where they run.
void placeApart(std::jthread &started);

} // namespace dewmoth::app
