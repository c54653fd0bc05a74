#include "shell/shortcut_win.h"
#include "shell/startup_folder.h"

#include "core/win_text.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

namespace dewmoth::shell {

namespace {

std::filesystem::path folderPath(int folderId)
{
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, folderId, FALSE))
        return {};
    return std::filesystem::path(buffer);
}

// The system's access check for adding a file, asked by opening the folder for it: nothing is
// written (a probe file left by a killed run would start nothing, but is litter for everyone).
bool mayAddFilesIn(const std::filesystem::path &folder)
{
    const HANDLE handle = ::CreateFileW(
        folder.c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

bool isInside(const std::wstring &path, const std::filesystem::path &folder)
{
    const std::wstring prefix = folder.wstring() + L"\\";
    return !folder.empty() && path.size() > prefix.size() &&
           ::CompareStringOrdinal(path.c_str(), int(prefix.size()), prefix.c_str(),
                                  int(prefix.size()), TRUE) == CSTR_EQUAL;
}

// Installed for all users: not in a user's own profile (a per-user installation goes to
// %LOCALAPPDATA%\Programs, which lies inside it).
bool installedForAllUsers()
{
    wchar_t self[MAX_PATH] = {};
    if (::GetModuleFileNameW(nullptr, self, MAX_PATH) == 0)
        return false;
    return !isInside(self, folderPath(CSIDL_PROFILE)) &&
           !isInside(self, folderPath(CSIDL_LOCAL_APPDATA));
}

void handleQueuedMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool isFile(const std::wstring &path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Runs `work` on the shell's link object and its file interface.
template <typename Work> bool withShellLink(Work work)
{
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool done = false;
    IShellLinkW *shellLink = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void **>(&shellLink)))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(
                shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            done = work(*shellLink, *file);
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(init))
        ::CoUninitialize();
    return done;
}

// For when the recent-documents list did not give us a link to the target. Returns the shell's
// own result, for the reason given to the caller.
HRESULT writeLink(const std::wstring &target, const std::wstring &link)
{
    HRESULT saved = E_FAIL;
    withShellLink([&](IShellLinkW &shellLink, IPersistFile &file) {
        shellLink.SetPath(target.c_str());
        const std::size_t slash = target.rfind(L'\\');
        if (slash != std::wstring::npos)
            shellLink.SetWorkingDirectory(target.substr(0, slash).c_str());
        saved = file.Save(link.c_str(), TRUE);
        return SUCCEEDED(saved);
    });
    return saved;
}

std::string hex(unsigned long value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
    return out;
}

// A recent-documents link can be an older one for another file of the same name.
bool linkPointsTo(const std::wstring &link, const std::wstring &target)
{
    return withShellLink([&](IShellLinkW &shellLink, IPersistFile &file) {
        wchar_t path[MAX_PATH] = {};
        if (FAILED(file.Load(link.c_str(), STGM_READ)) ||
            FAILED(shellLink.GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            return false;
        return ::CompareStringOrdinal(path, -1, target.c_str(), int(target.size()), TRUE) ==
               CSTR_EQUAL;
    });
}

} // namespace

std::filesystem::path GetSpecialFolder(int folderId)
{
    LPITEMIDLIST items = nullptr;
    if (::SHGetSpecialFolderLocation(nullptr, folderId, &items) != S_OK)
        return {};
    std::vector<wchar_t> buffer(512, L'\0');
    ::SHGetPathFromIDListW(items, buffer.data());
    ::CoTaskMemFree(items);
    return std::filesystem::path(std::wstring(buffer.data()));
}

std::filesystem::path GetStartupFolder()
{
    const std::filesystem::path common = folderPath(CSIDL_COMMON_STARTUP);
    const bool forAll = installedForAllUsers();
    if (!common.empty() &&
        ChooseStartupScope(forAll, forAll && mayAddFilesIn(common)) == StartupScope::AllUsers)
        return common;
    return folderPath(CSIDL_STARTUP);
}

std::filesystem::path UserStartupEntry(const std::string &productName)
{
    return folderPath(CSIDL_STARTUP) / (core::toWide(productName) + L".lnk");
}

std::filesystem::path AllUsersStartupEntry(const std::string &productName)
{
    const std::filesystem::path common = folderPath(CSIDL_COMMON_STARTUP);
    return common.empty() ? common : common / (core::toWide(productName) + L".lnk");
}

bool ShortcutStarts(const std::filesystem::path &link, const std::filesystem::path &target)
{
    return isFile(link.wstring()) && linkPointsTo(link.wstring(), target.wstring());
}

bool CreateShortcut(const std::filesystem::path &target, const std::filesystem::path &link,
                    core::Failure *why)
{
    const std::wstring targetText = target.wstring();
    const std::wstring linkText = link.wstring();
    const std::size_t slash = targetText.rfind(L'\\');
    const std::wstring fileName =
        slash == std::wstring::npos ? targetText : targetText.substr(slash + 1);

    // The shell writes "<file name>.lnk" into the recent-documents folder; that file is copied.
    ::SHAddToRecentDocs(SHARD_PATHW, targetText.c_str());
    handleQueuedMessages();
    const std::wstring recent =
        GetSpecialFolder(CSIDL_RECENT).wstring() + L"\\" + fileName + L".lnk";
    // The shell may write it a little later; wait a bounded time, still handling messages.
    for (int i = 0; i < 100 && !isFile(recent); ++i) {
        ::Sleep(20);
        handleQueuedMessages();
    }

    int copied = -1; // the copy's result; -1: there was nothing to copy
    if (isFile(recent)) {
        std::wstring from = recent + L'\0' + L'\0';
        std::wstring to = linkText + L'\0' + L'\0';
        SHFILEOPSTRUCTW copy = {};
        copy.hwnd = nullptr;
        copy.wFunc = FO_COPY;
        copy.pFrom = from.c_str();
        copy.pTo = to.c_str();
        copy.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
        copied = ::SHFileOperationW(&copy);
    }
    HRESULT written = S_OK;
    if (!isFile(linkText) || !linkPointsTo(linkText, targetText))
        written = writeLink(targetText, linkText);
    const bool made = isFile(linkText) && linkPointsTo(linkText, targetText);
    if (!made && why) {
        why->detail = copied < 0
                          ? "the shell left no recent-documents shortcut to copy"
                          : "copying the shell's shortcut failed (" + hex(unsigned(copied)) + ")";
        why->detail += FAILED(written) ? ", and writing one failed (" + hex(unsigned(written)) + ")"
                                       : ", and the shortcut written does not start the program";
        // HRESULTs of the Win32 kind carry the system's error code in their low word.
        why->reason = FAILED(written) && HRESULT_FACILITY(written) == FACILITY_WIN32
                          ? core::reasonOfWindowsError(HRESULT_CODE(written))
                          : core::Reason::NotTaken;
    }
    return made;
}

} // namespace dewmoth::shell
