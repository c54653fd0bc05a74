#include "shell/startup_folder.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "core/xdg_dirs.h"
#include "files/guarded_file.h"
#include "shell/desktop_entry.h"
#include "shell/shell_log.h"

#include <QDir>
#include <QFile>

namespace dewmoth::shell {

namespace {} // namespace

std::filesystem::path GetSpecialFolder(int folderId)
{
    switch (folderId) {
    case kCsidlStartup:
        return core::textPath(core::configHome() + QStringLiteral("/autostart"));
    case kCsidlCommonStartup:
        return core::textPath(core::systemConfigDirs().constFirst() + QStringLiteral("/autostart"));
    default:
        return {}; // no recent-documents folder, nothing else we know of
    }
}

std::filesystem::path GetStartupFolder()
{
    // Always the user's own folder: the system folders belong to the distribution and the
    // administrator, and an entry there would switch the program on for every user.
    const std::filesystem::path folder = GetSpecialFolder(kCsidlStartup);
    if (!QDir().mkpath(core::pathText(folder)))
        qCWarning(lcShell) << "cannot create the autostart folder" << core::pathText(folder);
    return folder;
}

bool CreateShortcut(const std::filesystem::path &target, const std::filesystem::path &link,
                    core::Failure *why)
{
    const std::string program = target.string();
    if (!nameableInEntry(program)) {
        qCWarning(lcShell) << "cannot name this program in a desktop entry:"
                           << core::pathText(target);
        if (why)
            *why = {core::Reason::NotExpressible, "its path cannot be written into an entry"};
        return false;
    }
    const std::string text = startupEntryText(
        core::productName().toStdString(), core::programDescription().toStdString(),
        core::applicationId().toStdString(), program, /*hidden=*/false);
    // Replaced, never written through: a link at `link` may point at anybody's file.
    if (const files::Outcome written = files::replaceFile(link, text); !written.ok()) {
        qCWarning(lcShell) << "cannot write startup entry" << core::pathText(link)
                           << QString::fromLocal8Bit(written.error.c_str());
        if (why)
            *why = {core::reasonOfErrorNumber(written.errorNumber), written.error};
        return false;
    }
    return true;
}

} // namespace dewmoth::shell
