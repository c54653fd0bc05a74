// The toolkit aborts when it cannot reach a display: a dead DISPLAY, a Wayland socket with no
// compositor, a platform plugin that is missing or fails. While a guard lives, such a failure
// ends the program with one line of ours on standard error and exit status 1 instead. The
// toolkit's messages are held back meanwhile, and shown after all when the display was reached.
#pragma once

#include <QByteArray>

namespace dewmoth::app {

class DisplayGuard
{
public:
    explicit DisplayGuard(QByteArray line);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

} // namespace dewmoth::app
