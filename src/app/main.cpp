#include "about/frm_about.h"
#include "app/program_info.h"
#include "app/termination.h"
#include "quote_window/frm_tip.h"
#include "shell/startup_switch.h"

#include <QApplication>
#include <QFontDatabase>
#include <thread>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Loading the font database is the longest single step of the start; it runs beside the
    // decoding of the window's pictures, and the first font asked for waits for it.
    std::jthread fonts([] { QFontDatabase::families(); });
    QApplication::setApplicationName(dewmoth::app::productName());
    QApplication::setApplicationVersion(dewmoth::app::versionText());
    QGuiApplication::setDesktopFileName(QStringLiteral("example.orlanvesty.Dewmoth"));

    using dewmoth::quote_window::frmTip;
    frmTip::Environment environment;
    const std::filesystem::path executable = dewmoth::app::executableFile();
    environment.programFolder = executable.parent_path();
    environment.settingsApplication = dewmoth::app::executableBaseName();
    environment.startupTarget = dewmoth::shell::StartupTarget(executable);
    environment.showAbout = [](QWidget *owner) { dewmoth::about::frmAbout::showModal(owner); };

    frmTip window(std::move(environment));
    window.Form_Load();
    dewmoth::app::onTerminationRequest([&window] { window.close(); });
    window.show();
    return app.exec();
}
