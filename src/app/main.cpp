#include "about/frm_about.h"
#include "app/command_line.h"
#include "app/display_guard.h"
#include "app/font_warmup.h"
#include "app/termination.h"
#include "app/translations.h"
#include "core/program_info.h"
#include "quote_window/frm_tip.h"
#include "quotes/quote_source.h"
#include "quotes/saying_order.h"
#include "shell/startup_switch.h"

#include <QApplication>

#include <cstdio>
#include <new>
#include <optional>

namespace {

std::filesystem::path userQuoteFile()
{
    const std::filesystem::path folder = dewmoth::core::userDataFolder();
    return folder.empty() ? folder : folder / dewmoth::core::kQuoteFileName;
}

std::filesystem::path sayingsFolder()
{
    const std::filesystem::path folder = dewmoth::core::userDataFolder();
    return folder.empty() ? folder : folder / "sayings";
}

dewmoth::quotes::Sources runSources(const dewmoth::app::CommandLine &commandLine)
{
    return dewmoth::quotes::runSources(dewmoth::core::executableFile().parent_path(),
                                       userQuoteFile(), sayingsFolder(), commandLine.files);
}

// --help, --version, --print and mistakes: answered without a display.
int answerWithoutWindow(int argc, char *argv[])
{
    using Action = dewmoth::app::CommandLine::Action;
    QCoreApplication app(argc, argv); // names the program in the usage line
    dewmoth::app::installTranslations(app);
    const dewmoth::app::CommandLine commandLine =
        dewmoth::app::parseCommandLine(QCoreApplication::arguments());
    const QByteArray text = commandLine.text.toLocal8Bit();
    switch (commandLine.action) {
    case Action::Help:
    case Action::Version:
        if (dewmoth::app::writeWhole(stdout, text))
            return 0;
        std::fprintf(stderr, "dewmoth: %s\n",
                     QCoreApplication::translate("dewmoth", "The text could not be written.")
                         .toLocal8Bit()
                         .constData());
        return 1;
    case Action::Print:
        return dewmoth::app::printSaying(runSources(commandLine), stdout, stderr);
    case Action::ListFiles:
        return dewmoth::app::listFiles(runSources(commandLine), stdout, stderr);
    default:
        std::fprintf(stderr, "dewmoth: %s", text.constData());
        return 2;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const dewmoth::app::CommandLine commandLine = dewmoth::app::parseCommandLine(arguments);
    if (commandLine.action != dewmoth::app::CommandLine::Action::ShowWindow) {
        try {
            return answerWithoutWindow(argc, argv);
        } catch (const std::bad_alloc &) {
            // Untranslated: the translations themselves may be what could not be had.
            std::fputs("dewmoth: there is not enough memory\n", stderr);
            return 1;
        }
    }
    if (!dewmoth::app::displayAvailable(commandLine)) {
        // The toolkit would abort with a message about plugins and leave a core dump.
        QCoreApplication app(argc, argv);
        dewmoth::app::installTranslations(app);
        std::fprintf(stderr, "dewmoth: %s\n",
                     dewmoth::app::noDisplayText().toLocal8Bit().constData());
        return 1;
    }

    dewmoth::app::FontWarmup fonts;
    std::optional<dewmoth::app::DisplayGuard> guard(
        std::in_place,
        "dewmoth: " +
            dewmoth::app::translateEarly(dewmoth::app::kDisplayUnreachable).toLocal8Bit() + '\n');
    QApplication app(argc, argv);
    guard.reset();
    fonts.applicationCreated();
    dewmoth::app::installTranslations(app);
    QApplication::setApplicationName(dewmoth::core::productName());
    QApplication::setApplicationVersion(dewmoth::core::versionText());
    QGuiApplication::setDesktopFileName(dewmoth::core::applicationId());

    using dewmoth::quote_window::frmTip;
    frmTip::Environment environment;
    const std::filesystem::path executable = dewmoth::core::executableFile();
    environment.programFolder = executable.parent_path();
    environment.userQuoteFile = userQuoteFile();
    environment.sayingsFolder = sayingsFolder();
    environment.files = commandLine.files;
    environment.settingsApplication = dewmoth::core::executableBaseName();
    environment.startupTarget = dewmoth::shell::StartupTarget(executable);
    environment.order = std::make_shared<dewmoth::quotes::SayingOrder>();
    environment.showAbout = [](QWidget *owner) { dewmoth::about::frmAbout::showModal(owner); };
    environment.awaitFonts = [&fonts] { fonts.awaitFonts(); };

    frmTip window(std::move(environment));
    window.Form_Load();
    dewmoth::app::onTerminationRequest([&window] {
        window.close();
        // Also ends a modal window's loop, which would otherwise keep the program running.
        QCoreApplication::quit();
    });
    window.show();
    const int status = app.exec();
    fonts.finish();
    return status;
}
