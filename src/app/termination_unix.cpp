#include "app/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace dewmoth::app {

namespace {

int g_signalFds[2] = {-1, -1};
volatile sig_atomic_t g_requested = 0;

// Long enough for the window to store its size, short enough for a logout.
constexpr unsigned kGraceSeconds = 5;

void forwardSignal(int signal)
{
    // Only async-signal-safe work here. The first request wakes the event loop through the
    // socket; a second one, or an event loop that does not end within the grace period, ends
    // the process the default way.
    if (g_requested) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    g_requested = 1;
    ::alarm(kGraceSeconds);
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(g_signalFds[0], &byte, 1);
}

} // namespace

void onTerminationRequest(std::function<void()> handler)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFds) != 0)
        return;
    auto *notifier =
        new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [handler = std::move(handler)] {
                         char byte;
                         [[maybe_unused]] auto got = ::read(g_signalFds[1], &byte, 1);
                         handler();
                     });

    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A closing terminal or a session manager at logout: the same polite request.
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace dewmoth::app
