// What the Windows start-up switch needs of shortcuts beyond making them.
#pragma once

#include <filesystem>

namespace dewmoth::shell {

// Whether the shortcut at `link` starts `target`.
bool ShortcutStarts(const std::filesystem::path &link, const std::filesystem::path &target);

// The program's shortcut in each Startup folder: the user's own, then the one for all users.
std::filesystem::path UserStartupEntry(const std::string &productName);
std::filesystem::path AllUsersStartupEntry(const std::string &productName);

} // namespace dewmoth::shell
