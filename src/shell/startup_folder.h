// Folders the desktop starts programs from at logon, and the entries that start them.
// Plain C++ so that every platform's implementation builds and is tested on its own.
#pragma once

#include "core/failure.h"

#include <filesystem>
#include <string>

namespace dewmoth::shell {

inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlRecent = 8;
inline constexpr int kCsidlCommonStartup = 24;

// The folder a platform folder identifier stands for; empty when the platform has none for it.
std::filesystem::path GetSpecialFolder(int folderId);

// Where the program's own start-up entry goes (created on demand where that is ours to do).
std::filesystem::path GetStartupFolder();

// Where a shortcut may be: the folder for all users, or the user's own. The all-users one is
// chosen for a program installed for all users (not inside a user's profile, where a shortcut
// would fail for the others) when this user may add files there.
enum class StartupScope { User, AllUsers };
constexpr StartupScope ChooseStartupScope(bool installedForAllUsers, bool mayWriteAllUsers)
{
    return installedForAllUsers && mayWriteAllUsers ? StartupScope::AllUsers : StartupScope::User;
}

// Leaves at `link` an entry that starts `target`, replacing any file already there without a
// question. Returns whether such an entry now exists at `link`; when it does not, `why` (if
// given) says why in a few words, for the caller to log and show.
bool CreateShortcut(const std::filesystem::path &target, const std::filesystem::path &link,
                    core::Failure *why = nullptr);

} // namespace dewmoth::shell
