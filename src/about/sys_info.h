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

enum class LookupResult {
    Found,    // `tool` names what to start
    NotFound, // nothing there: the next lookup may be tried
    Failed,   // something was there but is unusable: the user is told, nothing else is tried
};

// First lookup: the tool the platform names as its own. Started as found, without a check.
LookupResult FindPrimarySysInfoTool(SysInfoTool &tool);

// Second lookup, tried only when the first finds nothing: a tool whose program file exists.
LookupResult FindFallbackSysInfoTool(SysInfoTool &tool);

// Starts the tool as its own process, never through a shell, and does not wait for it.
bool StartSysInfoTool(const SysInfoTool &tool);

// Both lookups in their order, then the start. False when the user has to be told that the
// tool is unavailable.
bool LaunchSysInfo();

} // namespace dewmoth::about
