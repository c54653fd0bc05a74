#include "app/command_line.h"

#include "core/failure_text.h"
#include "core/path_text.h"
#include "core/program_info.h"
#include "quotes/quote_source.h"
#include "quotes/saying_order.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace dewmoth::app {

namespace {

// The toolkit's own options, with a value or without one: accepted here, used by the toolkit.
const char *const kToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",      "qwindowgeometry",
    "geometry", "qwindowtitle",       "title",         "qwindowicon", "display",
    "style",    "stylesheet",         "session",       "name"};
const char *const kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

QString escapeControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += QStringLiteral("\\x%1").arg(unsigned(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

bool writeWhole(std::FILE *out, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) ==
               std::size_t(bytes.size()) &&
           std::fflush(out) == 0 && !std::ferror(out);
}

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
    const QCommandLineOption file(
        QStringLiteral("file"),
        QCoreApplication::translate("dewmoth",
                                    "Read the sayings of this file or folder instead of the "
                                    "quote files; may be given more than once."),
        QCoreApplication::translate("dewmoth", "path"));
    parser.addOption(file);
    const QCommandLineOption listFiles(
        QStringLiteral("list-files"),
        QCoreApplication::translate("dewmoth",
                                    "List the files the sayings are read from, with how many "
                                    "each holds and why any is passed over, and end."));
    parser.addOption(listFiles);
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
        result.text = escapeControls(parser.errorText()) + QLatin1Char('\n') + parser.helpText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Error;
        result.text = QCoreApplication::translate("dewmoth", "Unexpected argument '%1'.")
                          .arg(escapeControls(parser.positionalArguments().constFirst())) +
                      QLatin1Char('\n') + parser.helpText();
        return result;
    }
    result.platformNamed = parser.isSet(QStringLiteral("platform"));
    for (const QString &path : parser.values(file))
        result.files.push_back(core::textPath(path));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Action::Help;
        result.text = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.text =
            core::productName() + QLatin1Char(' ') + core::versionText() + QLatin1Char('\n');
    } else if (parser.isSet(print)) {
        result.action = CommandLine::Action::Print;
    } else if (parser.isSet(listFiles)) {
        result.action = CommandLine::Action::ListFiles;
    }
    return result;
}

bool displayAvailable(const CommandLine &commandLine)
{
    return commandLine.platformNamed || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString noDisplayText()
{
    return QCoreApplication::translate("dewmoth",
                                       "There is no display to show the window on (neither "
                                       "DISPLAY nor WAYLAND_DISPLAY is set); try dewmoth --print");
}

const char *const kDisplayUnreachable = QT_TRANSLATE_NOOP(
    "dewmoth", "The display could not be reached to show the window on; try dewmoth --print");

int printSaying(const quotes::Sources &sources, std::FILE *out, std::FILE *errors)
{
    quotes::SayingOrder order;
    const quotes::SayingToPrint picked = quotes::pickSayingToPrint(sources, &order);
    const QString shown = escapeControls(core::pathText(picked.where));
    QString problem;
    switch (picked.status) {
    case quotes::SayingToPrint::Status::Picked:
        break;
    case quotes::SayingToPrint::Status::NotFound:
        problem =
            QCoreApplication::translate("dewmoth", "There is no quote file at %1.").arg(shown);
        break;
    case quotes::SayingToPrint::Status::Unreadable:
        problem = QCoreApplication::translate("dewmoth", "The quote file %1 could not be read: %2.")
                      .arg(shown, core::reasonText(picked.failure.reason));
        break;
    case quotes::SayingToPrint::Status::Empty:
        problem = QCoreApplication::translate("dewmoth", "The quote file %1 holds no sayings.")
                      .arg(shown);
        break;
    }
    // Whole, NUL bytes included: the saying is data for whatever reads the output.
    if (problem.isEmpty() &&
        !writeWhole(out, picked.saying.toUtf8() + (picked.cut ? "\u2026\n" : "\n")))
        problem = QCoreApplication::translate("dewmoth", "The saying could not be written.");
    if (problem.isEmpty() && picked.cut)
        std::fprintf(errors, "dewmoth: %s\n",
                     QCoreApplication::translate(
                         "dewmoth", "The saying was cut after %1 characters; the file holds more.")
                         .arg(quotes::kPrintLimit)
                         .toLocal8Bit()
                         .constData());
    if (problem.isEmpty())
        return 0;
    std::fprintf(errors, "dewmoth: %s\n", problem.toLocal8Bit().constData());
    return 1;
}

int listFiles(const quotes::Sources &sources, std::FILE *out, std::FILE *errors)
{
    const quotes::CollectionRead read = quotes::readSources(sources);
    std::vector<std::pair<std::filesystem::path, QString>> lines;
    const QString passed = QCoreApplication::translate("dewmoth", "passed over: %1");
    for (const quotes::FileReport &report : read.reports) {
        switch (report.status) {
        case quotes::LoadStatus::Loaded:
            lines.emplace_back(
                report.path,
                (report.fortunes
                     ? QCoreApplication::translate("dewmoth", "sayings: %1 (fortune file)")
                     : QCoreApplication::translate("dewmoth", "sayings: %1 (one per line)"))
                    .arg(report.count));
            break;
        case quotes::LoadStatus::NotFound:
            lines.emplace_back(report.path,
                               passed.arg(QCoreApplication::translate("dewmoth", "not found")));
            break;
        case quotes::LoadStatus::Unreadable:
            lines.emplace_back(report.path, passed.arg(core::reasonText(report.failure.reason)));
            break;
        }
    }
    for (const quotes::PassedOver &skipped : sources.plan.passedOver)
        lines.emplace_back(skipped.path, passed.arg(QCoreApplication::translate(
                                             "dewmoth", quotes::passedOverText(skipped.why))));
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QString text;
    for (const auto &[path, what] : lines)
        text += escapeControls(QDir::toNativeSeparators(core::pathText(path))) +
                QStringLiteral(": ") + what + QLatin1Char('\n');
    text +=
        QCoreApplication::translate("dewmoth", "sayings in all: %1").arg(read.collection.count()) +
        QLatin1Char('\n');
    if (!writeWhole(out, text.toUtf8())) {
        std::fprintf(errors, "dewmoth: %s\n",
                     QCoreApplication::translate("dewmoth", "The text could not be written.")
                         .toLocal8Bit()
                         .constData());
        return 1;
    }
    return read.collection.count() > 0 ? 0 : 1;
}

} // namespace dewmoth::app
