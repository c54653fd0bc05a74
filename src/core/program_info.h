// The program's own identity: product name, version, the folder it runs from and the base name
// of its executable. Everything that names the program asks here, so that it is said once.
#pragma once

#include <QString>

#include <filesystem>

namespace dewmoth::core {

QString productName();

// The quote file's name, beside the program and in the user's own folder.
inline constexpr char kQuoteFileName[] = "TIPOFDAY.TXT";

// One line on what the program does, as the desktop shows it beside the name.
QString programDescription();

// The reverse-domain name the desktop knows the program by (desktop file, icon, metainfo).
QString applicationId();

// The maker's web site, shown and opened by both windows' links.
QString makerAddress();

// "1.0.1": major, minor and revision in plain decimal.
QString versionText();

// The running executable's file name without folder and extension.
QString executableBaseName();

// The user's own folder for the program's data, where a quote file of their own may lie:
// $XDG_DATA_HOME/Dewmoth (~/.local/share/Dewmoth) on Linux, the roaming application data
// folder on Windows.
std::filesystem::path userDataFolder();

// Full path of the running executable, byte for byte as the file system has it (a folder name
// need not be valid UTF-8); its parent is the folder the quote file is read from.
std::filesystem::path executableFile();

} // namespace dewmoth::core
