#include "shell/startup_switch.h"

#include "shell/startup_folder.h"
#include "shell/win_text.h"

namespace dewmoth::shell {

std::filesystem::path StartupEntryPath(const std::string &productName)
{
    return std::filesystem::path(GetStartupFolder().wstring() + L"\\" + toWide(productName) +
                                 L".lnk");
}

std::filesystem::path StartupTarget(const std::filesystem::path &executable)
{
    // File names compare without regard to case, so ".Exe" names the program however its real
    // extension is written.
    return std::filesystem::path(executable.parent_path().wstring() + L"\\" +
                                 executable.stem().wstring() + L".Exe");
}

bool IsStartupEnabled(const std::string &productName)
{
    const HANDLE file = ::CreateFileW(StartupEntryPath(productName).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    return ::CloseHandle(file) != 0;
}

bool SetStartupEnabled(bool enabled, const std::string &productName,
                       const std::filesystem::path &target)
{
    const std::filesystem::path entry = StartupEntryPath(productName);
    if (enabled)
        CreateShortcut(target, entry);
    else
        ::DeleteFileW(entry.c_str());
    return IsStartupEnabled(productName);
}

} // namespace dewmoth::shell
