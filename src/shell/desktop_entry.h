// Desktop Entry files as the freedesktop.org Desktop Entry specification writes them: the
// quoting of an Exec line, the escaping of string values, and the autostart keys we honour.
// Plain C++ so that it can be checked and fuzzed without a desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dewmoth::shell {

// One Exec argument, double-quoted when it holds a reserved character, with `"` `` ` `` `$`
// `\` escaped inside the quotes and `%` doubled.
std::string quoteExecArgument(std::string_view argument);

// The general escaping of a string value: backslash, newline, tab and carriage return.
std::string escapeStringValue(std::string_view value);

// The value that escapeStringValue() turned into `value`; nothing for an unknown escape.
std::optional<std::string> unescapeStringValue(std::string_view value);

// Whether `program` can be named in an entry at all: a desktop entry is UTF-8 text.
bool nameableInEntry(std::string_view program);

// The value of an Exec key that starts exactly `program` with no arguments.
std::string execValueFor(std::string_view program);

// The arguments an Exec value stands for, undoing both escapings; nothing for a malformed value
// or one that holds a field code other than `%%`.
std::optional<std::vector<std::string>> parseExecValue(std::string_view value);

// A whole entry that starts `program`; with `hidden`, an entry that switches off a system-wide
// entry of the same name for this user.
std::string startupEntryText(std::string_view name, std::string_view comment, std::string_view icon,
                             std::string_view program, bool hidden);

// Whether an autostart entry with this content starts its program: not when its [Desktop
// Entry] group says Hidden=true or X-GNOME-Autostart-enabled=false.
bool autostartEntryEnabled(std::string_view content);

// The program an entry starts: the first argument of the Exec key of its [Desktop Entry] group.
// Nothing when there is no such group, no Exec, or one that does not parse.
std::optional<std::string> entryProgram(std::string_view content);

// `content` made to start `program` at logon: the program in Exec (its arguments kept) and in
// TryExec where there is one, the keys that switch the entry off gone; every other line, the
// keys a user or a packager added among them, stays as it is.
std::string entryStarting(std::string_view content, std::string_view program);

} // namespace dewmoth::shell
