// The show-at-startup switch: whether the desktop starts the program at logon, and making that
// so. The entries on disk are the only record of the choice; nothing else mirrors it.
#pragma once

#include "core/failure.h"

#include <filesystem>
#include <string>

namespace dewmoth::shell {

// What is on disk after a look or a change, and why a change did not take.
struct StartupState
{
    bool enabled = false;
    core::Failure failure; // none when everything went as asked
};

// The program's own entry in the start-up folder: product name plus the platform's extension.
std::filesystem::path StartupEntryPath(const std::string &productName);

// What the start-up entry starts for the running `executable`.
std::filesystem::path StartupTarget(const std::filesystem::path &executable);

// Whether the desktop will start this program (`target`) at logon. An entry that cannot be
// read, or that starts some other program, is off.
bool IsStartupEnabled(const std::string &productName, const std::filesystem::path &target);

// The start-up test: the state on disk, after pointing an entry of ours that still starts the
// program from an older place at `target`. Nothing is written when the entry already starts
// `target`, and nothing that is not ours to change (an entry of the system, a link) is touched.
StartupState RefreshStartupEntry(const std::string &productName,
                                 const std::filesystem::path &target);

// Makes the choice real for `target` and returns the state now on disk.
StartupState SetStartupEnabled(bool enabled, const std::string &productName,
                               const std::filesystem::path &target);

} // namespace dewmoth::shell
