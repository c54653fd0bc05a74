#include "app/command_line.h"

#include "core/program_info.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace dewmoth::app {

namespace {

// The toolkit's own options, with a value or without one: accepted here, used by the toolkit.
const char *const kToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",      "qwindowgeometry",
    "geometry", "qwindowtitle",       "title",         "qwindowicon", "display",
    "style",    "stylesheet",         "session",       "name"};
const char *const kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform xcb", as the toolkit reads it, not "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "dewmoth", "Shows one short saying at a time, picked at random from the quote file."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption print(
        QStringLiteral("print"),
        QCoreApplication::translate("dewmoth",
                                    "Write one saying to standard output and end, without "
                                    "opening a window."));
    parser.addOption(print);
    for (const char *name : kToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Action::Error;
        result.text = parser.errorText() + QLatin1Char('\n') + parser.helpText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Error;
        result.text = QCoreApplication::translate("dewmoth", "Unexpected argument '%1'.")
                          .arg(parser.positionalArguments().constFirst()) +
                      QLatin1Char('\n') + parser.helpText();
        return result;
    }
    result.platformNamed = parser.isSet(QStringLiteral("platform"));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Action::Help;
        result.text = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.text =
            core::productName() + QLatin1Char(' ') + core::versionText() + QLatin1Char('\n');
    } else if (parser.isSet(print)) {
        result.action = CommandLine::Action::Print;
    }
    return result;
}

bool displayAvailable(const CommandLine &commandLine)
{
    return commandLine.platformNamed || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace dewmoth::app
