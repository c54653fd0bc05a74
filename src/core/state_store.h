// Small files the program keeps between runs that are neither settings nor the user's data
// (where the user is in the order of the sayings): $XDG_STATE_HOME/Dewmoth, else
// ~/.local/state/Dewmoth, on the POSIX desktops; %LOCALAPPDATA%\Dewmoth on Windows.
// A read never blocks on what lies at the name; a write is whole or nothing, never through a
// link, and waits a bounded time for another process of ours writing the same folder.
#pragma once

#include "core/failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dewmoth::core {

std::filesystem::path stateFolder();

// The text of the state file `name`; nothing when there is none. A file that is not a regular
// file, is larger than a few KiB or cannot be read gives nothing too, with `why` set.
std::optional<std::string> readStateFile(const std::string &name, Failure *why = nullptr);

// Replaces the state file `name` with `text`, making the folder first where it is missing.
Failure writeStateFile(const std::string &name, std::string_view text);

} // namespace dewmoth::core
