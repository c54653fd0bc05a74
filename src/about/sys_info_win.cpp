#include "about/registry_win.h"
#include "about/sys_info.h"
#include "core/win_text.h"

#include <array>

namespace dewmoth::about {

namespace {

const wchar_t kToolKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t kToolFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

bool isOrdinaryFile(const std::wstring &path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes &
             (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

} // namespace

KeyValueOutcome GetKeyValue(HKEY root, const std::wstring &keyName, const std::wstring &valueName,
                            std::string &keyVal)
{
    HKEY key = nullptr;
    // Read access only: a standard user may not open these keys for writing.
    if (::RegOpenKeyExW(root, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        keyVal.clear();
        return KeyValueOutcome::Absent;
    }
    std::array<char, kValueBufferSize> buffer{};
    DWORD type = 0;
    DWORD size = DWORD(buffer.size());
    KeyValueOutcome outcome = KeyValueOutcome::Absent;
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE *>(buffer.data()), &size) != ERROR_SUCCESS) {
        keyVal.clear();
    } else {
        const bool text = type == kRegSz;
        std::string value = keyVal;
        outcome = interpretKeyValue(type, std::string_view(buffer.data(), size), value,
                                    text ? sizeof(wchar_t) : 1);
        if (outcome == KeyValueOutcome::Read && text) {
            value = core::toUtf8(std::wstring_view(reinterpret_cast<const wchar_t *>(value.data()),
                                                   value.size() / sizeof(wchar_t)));
        }
        if (outcome == KeyValueOutcome::Read)
            keyVal = std::move(value);
    }
    ::RegCloseKey(key);
    return outcome;
}

LookupResult FindPrimarySysInfoTool(SysInfoTool &tool)
{
    std::string path;
    switch (GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", path)) {
    case KeyValueOutcome::Read:
        tool = SysInfoTool{std::filesystem::path(core::toWide(path)), {}};
        return LookupResult::Found; // started as found, whether or not the file is there
    case KeyValueOutcome::NoData:
        return LookupResult::Failed;
    case KeyValueOutcome::Absent:
        break;
    }
    return LookupResult::NotFound;
}

LookupResult FindFallbackSysInfoTool(SysInfoTool &tool)
{
    std::string folder;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder) != KeyValueOutcome::Read)
        return LookupResult::Failed;
    // Appended as it is: a folder that ends in a backslash gives two in a row.
    const std::wstring program = core::toWide(folder) + L"\\MSINFO32.EXE";
    if (!isOrdinaryFile(program))
        return LookupResult::Failed;
    tool = SysInfoTool{std::filesystem::path(program), {}};
    return LookupResult::Found;
}

bool StartSysInfoTool(const SysInfoTool &tool)
{
    const std::wstring program = tool.program.wstring();
    if (program.empty())
        return false;
    // The program is named on its own and quoted in the command line, so a path with blanks
    // can never start some other program.
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::string &argument : tool.arguments)
        commandLine += L" \"" + core::toWide(argument) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

} // namespace dewmoth::about
