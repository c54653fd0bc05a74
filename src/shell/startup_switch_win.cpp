#include "shell/startup_switch.h"

#include "core/win_text.h"
#include "shell/startup_folder.h"

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

bool IsStartupEnabled(const std::string &productName, const std::filesystem::path &)
{
    // Whatever stands at the shortcut's name counts: the shell keeps the link's contents.
    const HANDLE file = ::CreateFileW(StartupEntryPath(productName).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    return ::CloseHandle(file) != 0;
}

StartupState RefreshStartupEntry(const std::string &productName,
                                 const std::filesystem::path &target)
{
    // A shortcut's target cannot be read without the shell's help; one left over from an older
    // place of the program is simply made anew.
    if (!IsStartupEnabled(productName, target))
        return {};
    return SetStartupEnabled(true, productName, target);
}

StartupState SetStartupEnabled(bool enabled, const std::string &productName,
                               const std::filesystem::path &target)
{
    const std::filesystem::path entry = StartupEntryPath(productName);
    StartupState state;
    if (enabled) {
        CreateShortcut(target, entry, &state.failure);
    } else if (!::DeleteFileW(entry.c_str())) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            state.failure = {core::reasonOfWindowsError(error),
                             "the shortcut could not be deleted (error " + std::to_string(error) +
                                 ")"};
    }
    state.enabled = IsStartupEnabled(productName, target);
    if (!state.failure.failed() && state.enabled != enabled)
        state.failure = {core::Reason::NotTaken, enabled ? "the shortcut could not be made"
                                                         : "the shortcut could not be deleted"};
    return state;
}

} // namespace dewmoth::shell
