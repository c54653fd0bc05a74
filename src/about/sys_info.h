// Where the system-information tool comes from: two lookups in a fixed order, each answered the
// platform's way (the registry on Windows, the desktop and PATH on Linux), and its start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dewmoth::about {

struct SysInfoTool
{
    std::filesystem::path program;
    std::vector<std::string> arguments;
};

// First lookup: the tool the platform names as its own. Started as found, without a check.
std::optional<SysInfoTool> FindPrimarySysInfoTool();

// Second lookup, tried only when the first names nothing: a tool whose program file exists.
std::optional<SysInfoTool> FindFallbackSysInfoTool();

// Starts the tool as its own process, never through a shell, and does not wait for it.
bool StartSysInfoTool(const SysInfoTool &tool);

} // namespace dewmoth::about
