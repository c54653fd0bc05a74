// The program's command line: what it asks for, decided before the toolkit starts, so that
// --help, --version and --print need no display. The toolkit's own options (-platform,
// -display, -style, ...) are known here and passed on to it.
#pragma once

#include <QString>
#include <QStringList>

namespace dewmoth::app {

struct CommandLine
{
    enum class Action { ShowWindow, Help, Version, Print, Error };
    Action action = Action::ShowWindow;
    QString text;               // the help or version text, or the error
    bool platformNamed = false; // -platform given: the toolkit is told where to show
};

CommandLine parseCommandLine(const QStringList &arguments);

// Whether the toolkit has somewhere to show a window: a display, a Wayland socket, or a
// platform named on the command line or in QT_QPA_PLATFORM.
bool displayAvailable(const CommandLine &commandLine);

} // namespace dewmoth::app
