#include "core/program_info.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace dewmoth::core {

std::filesystem::path executableFile()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path userDataFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE))
        return {};
    return std::filesystem::path(buffer) / productName().toStdWString();
}

} // namespace dewmoth::core
