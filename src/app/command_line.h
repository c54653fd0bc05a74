// The program's command line: what it asks for, decided before the toolkit starts, so that
// --help, --version and --print need no display. The toolkit's own options (-platform,
// -display, -style, ...) are known here and passed on to it.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace dewmoth::quotes {
struct Sources;
}

namespace dewmoth::app {

struct CommandLine
{
    enum class Action { ShowWindow, Help, Version, Print, ListFiles, Error };
    Action action = Action::ShowWindow;
    QString text;                             // the help or version text, or the error
    bool platformNamed = false;               // -platform given: the toolkit is told where to show
    std::vector<std::filesystem::path> files; // --file: read these instead, for the window too
};

CommandLine parseCommandLine(const QStringList &arguments);

// Whether the toolkit has somewhere to show a window: a display, a Wayland socket, or a
// platform named on the command line or in QT_QPA_PLATFORM.
bool displayAvailable(const CommandLine &commandLine);

// What the user is told, in their language, where there is no display to show the window on.
QString noDisplayText();

// The same, untranslated, for a display that is named but cannot be reached.
extern const char *const kDisplayUnreachable;

// `text` with every control character written as \xHH, so that a name from the command line or a
// file cannot act on the terminal that shows an error message.
QString escapeControls(const QString &text);

// Writes all of `bytes` and flushes; false when any of it did not reach `out`.
bool writeWhole(std::FILE *out, const QByteArray &bytes);

// Writes one saying of the sources to `out` in UTF-8, with its line breaks and a final one; 0,
// or 1 with the reason, in the user's language, on `errors` when there is no saying to write.
int printSaying(const quotes::Sources &sources, std::FILE *out, std::FILE *errors);

// Writes each file that the sources name with its count of sayings, or why it is passed over:
// what the program sees. 0, or 1 when there is no saying in any of them.
int listFiles(const quotes::Sources &sources, std::FILE *out, std::FILE *errors);

} // namespace dewmoth::app
