#include "about/frm_about.h"
#include "app/font_warmup.h"
#include "app/program_info.h"
#include "app/termination.h"
#include "quote_window/frm_tip.h"
#include "shell/startup_switch.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    dewmoth::app::FontWarmup fonts;
    QApplication app(argc, argv);
    fonts.applicationCreated();
    QApplication::setApplicationName(dewmoth::app::productName());
    QApplication::setApplicationVersion(dewmoth::app::versionText());
    QGuiApplication::setDesktopFileName(dewmoth::app::applicationId());

    using dewmoth::quote_window::frmTip;
    frmTip::Environment environment;
    const std::filesystem::path executable = dewmoth::app::executableFile();
    environment.programFolder = executable.parent_path();
    environment.settingsApplication = dewmoth::app::executableBaseName();
    environment.startupTarget = dewmoth::shell::StartupTarget(executable);
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
