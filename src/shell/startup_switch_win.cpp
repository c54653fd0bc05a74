#include "shell/startup_switch.h"

#include "core/win_text.h"
#include "shell/shortcut_win.h"
#include "shell/startup_folder.h"

#include <vector>

namespace dewmoth::shell {

std::filesystem::path StartupEntryPath(const std::string &productName)
{
    return std::filesystem::path(GetStartupFolder().wstring() + L"\\" + core::toWide(productName) +
                                 L".lnk");
}

std::filesystem::path StartupTarget(const std::filesystem::path &executable)
{
    // File names compare without regard to case, so ".Exe" names the program however its real
    // extension is written.
    return std::filesystem::path(executable.parent_path().wstring() + L"\\" +
                                 executable.stem().wstring() + L".Exe");
}

namespace {

std::vector<std::filesystem::path> entries(const std::string &productName)
{
    std::vector<std::filesystem::path> found{UserStartupEntry(productName)};
    if (const std::filesystem::path common = AllUsersStartupEntry(productName); !common.empty())
        found.push_back(common);
    return found;
}

} // namespace

bool IsStartupEnabled(const std::string &productName, const std::filesystem::path &target)
{
    // A shortcut of ours in either folder starts the program at logon, whichever put it there.
    for (const std::filesystem::path &entry : entries(productName))
        if (ShortcutStarts(entry, target))
            return true;
    return false;
}

StartupState RefreshStartupEntry(const std::string &productName,
                                 const std::filesystem::path &target)
{
    if (IsStartupEnabled(productName, target))
        return {true, {}};
    // One left over from an older place of the program is made anew where it is ours to make.
    const std::filesystem::path entry = StartupEntryPath(productName);
    const DWORD attributes = ::GetFileAttributesW(entry.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return SetStartupEnabled(true, productName, target);
}

StartupState SetStartupEnabled(bool enabled, const std::string &productName,
                               const std::filesystem::path &target)
{
    StartupState state;
    if (enabled) {
        if (!IsStartupEnabled(productName, target))
            CreateShortcut(target, StartupEntryPath(productName), &state.failure);
    } else {
        // Every shortcut of ours goes, from both folders; one this user may not remove (in the
        // folder for all users, put there by an administrator) keeps the box ticked, and says
        // why.
        for (const std::filesystem::path &entry : entries(productName)) {
            if (!ShortcutStarts(entry, target) || ::DeleteFileW(entry.c_str()))
                continue;
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                state.failure = {core::reasonOfWindowsError(error),
                                 "the shortcut " + core::toUtf8(entry.wstring()) +
                                     " could not be deleted (error " + std::to_string(error) + ")"};
        }
    }
    state.enabled = IsStartupEnabled(productName, target);
    // A shortcut that outlived a delete the system reported done lies where this user may not
    // change anything (a file system that drops the delete does that).
    if (!state.failure.failed() && state.enabled != enabled)
        state.failure =
            enabled ? core::Failure{core::Reason::NotTaken, "the shortcut could not be made"}
                    : core::Failure{core::Reason::NoAccess, "a shortcut of ours remains"};
    return state;
}

} // namespace dewmoth::shell
