#include "about/about_log.h"
#include "about/sys_info.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace dewmoth::about {

namespace {

struct DesktopTool
{
    const char *desktop; // as $XDG_CURRENT_DESKTOP names it
    const char *program;
    const char *argument;
};

// Each desktop's own view of the system, opened where a user of that desktop would look.
constexpr std::array kDesktopTools = {
    DesktopTool{"KDE", "kinfocenter", nullptr},
    DesktopTool{"GNOME", "gnome-control-center", "info-overview"},
    DesktopTool{"XFCE", "xfce4-about", nullptr},
    DesktopTool{"X-Cinnamon", "cinnamon-settings", "info"},
    DesktopTool{"MATE", "mate-system-monitor", nullptr},
    DesktopTool{"LXQt", "lxqt-config", nullptr},
    DesktopTool{"Budgie", "gnome-control-center", "info-overview"},
};

// Tools that show the system on any desktop, most informative first.
constexpr std::array kGeneralTools = {
    "hardinfo2",        "hardinfo", "cpu-x", "gnome-system-monitor", "plasma-systemmonitor",
    "xfce4-taskmanager"};

bool onPath(const char *program, const char *argument, SysInfoTool &tool)
{
    const QString found = QStandardPaths::findExecutable(QString::fromUtf8(program));
    if (found.isEmpty())
        return false;
    tool = SysInfoTool{std::filesystem::path(found.toStdString()), {}};
    if (argument)
        tool.arguments.emplace_back(argument);
    return true;
}

} // namespace

LookupResult FindPrimarySysInfoTool(SysInfoTool &tool)
{
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        for (const DesktopTool &entry : kDesktopTools) {
            if (desktop.compare(QLatin1String(entry.desktop), Qt::CaseInsensitive) != 0)
                continue;
            if (onPath(entry.program, entry.argument, tool))
                return LookupResult::Found;
        }
    }
    return LookupResult::NotFound;
}

LookupResult FindFallbackSysInfoTool(SysInfoTool &tool)
{
    for (const char *program : kGeneralTools) {
        if (onPath(program, nullptr, tool))
            return LookupResult::Found;
    }
    return LookupResult::NotFound;
}

bool StartSysInfoTool(const SysInfoTool &tool)
{
    QStringList arguments;
    for (const std::string &argument : tool.arguments)
        arguments << QString::fromStdString(argument);
    const QString program = QString::fromStdString(tool.program.string());
    if (!QProcess::startDetached(program, arguments)) {
        qCWarning(lcAbout) << "cannot start" << program;
        return false;
    }
    return true;
}

} // namespace dewmoth::about
