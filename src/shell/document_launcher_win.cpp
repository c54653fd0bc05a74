#include "shell/document_launcher.h"

#include "core/win_text.h"

#include <shellapi.h>

namespace dewmoth::shell {

bool OpenDocument(const std::string &operation, const std::string &file,
                  const std::optional<std::string> &parameters,
                  const std::optional<std::string> &directory, int showCommand)
{
    if (file.empty())
        return false;
    const std::wstring wideOperation = core::toWide(operation);
    const std::wstring wideFile = core::toWide(file);
    const std::wstring wideParameters = parameters ? core::toWide(*parameters) : std::wstring();
    const std::wstring wideDirectory = directory ? core::toWide(*directory) : std::wstring();
    const HINSTANCE result =
        ::ShellExecuteW(::GetDesktopWindow(), wideOperation.c_str(), wideFile.c_str(),
                        parameters ? wideParameters.c_str() : nullptr,
                        directory ? wideDirectory.c_str() : nullptr, showCommand);
    // Values above 32 mean the shell handed the request on.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace dewmoth::shell
