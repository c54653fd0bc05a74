// The show-at-startup switch: whether the desktop starts the program at logon, and making that
// so. The entries on disk are the only record of the choice; nothing else mirrors it.
#pragma once

#include <filesystem>
#include <string>

namespace dewmoth::shell {

// The program's own entry in the start-up folder: product name plus the platform's extension.
std::filesystem::path StartupEntryPath(const std::string &productName);

// What the start-up entry starts for the running `executable`.
std::filesystem::path StartupTarget(const std::filesystem::path &executable);

// Whether the desktop will start the program at logon. An entry that cannot be read is off.
bool IsStartupEnabled(const std::string &productName);

// Makes the choice real for `target` and returns the state now on disk.
bool SetStartupEnabled(bool enabled, const std::string &productName,
                       const std::filesystem::path &target);

} // namespace dewmoth::shell
