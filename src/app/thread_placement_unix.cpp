#include "app/thread_placement.h"

#include "app/app_log.h"

#include <pthread.h>
#include <sched.h>

namespace dewmoth::app {

void placeApart(std::jthread &started)
{
    cpu_set_t allowed;
    if (!started.joinable() || sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    cpu_set_t elsewhere = allowed;
    const int here = sched_getcpu();
    if (here < 0 || here >= CPU_SETSIZE)
        return;
    CPU_CLR(here, &elsewhere);
    if (CPU_COUNT(&elsewhere) == 0)
        return;
    // Narrowing the set moves the waiting thread at once; widening it again does not move it back.
    const pthread_t thread = started.native_handle();
    if (pthread_setaffinity_np(thread, sizeof elsewhere, &elsewhere) != 0)
        return;
    if (pthread_setaffinity_np(thread, sizeof allowed, &allowed) != 0)
        qCWarning(lcApp) << "a worker thread stays off processor" << here;
}

} // namespace dewmoth::app
