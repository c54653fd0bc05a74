// Reading and replacing the small files the program keeps in folders that the user, other
// programs or an attacker may also write to (the autostart entry, the settings file).
// A read takes only a regular file of bounded size and never blocks, whatever lies at the path.
// A replacement never writes through a link and never leaves a half-written file: the old file
// stays byte for byte unless the new one was written whole. Every failure says why.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace dewmoth::files {

enum class ReadStatus {
    Read,    // `content` holds the whole file
    Absent,  // nothing at the path (or a link to nothing)
    Refused, // not a regular file, or larger than allowed
    Failed,  // there, but could not be read
};

struct ReadResult
{
    ReadStatus status = ReadStatus::Absent;
    std::string content;
    std::string error; // one phrase, for Refused and Failed
};

// Reads the regular file at `path`, following links, if it holds at most `maxBytes`.
// FIFOs, devices and folders are refused without being opened for reading.
ReadResult readSmallFile(const std::filesystem::path &path, std::size_t maxBytes);

// Whether the name itself exists (a dangling link does), and whether it is a link.
bool nameExists(const std::filesystem::path &path);
bool isLink(const std::filesystem::path &path);

// How a change went: `error` is empty when it succeeded, else the system's words for why, with
// its error number (errno; 0 where the failure has none).
struct Outcome
{
    int errorNumber = 0;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Whether a replaced file must survive a power cut as well (flushed to the disk, which may take
// tens of milliseconds on a busy disk), or only never be seen half-written.
enum class Flush { ToDisk, RenameOnly };

// Makes `path` a regular file holding `content`: written (and flushed) under a temporary name in
// the same folder, then renamed over the name, so that a link there is replaced, not followed.
// On failure nothing changed.
Outcome replaceFile(const std::filesystem::path &path, std::string_view content,
                    Flush flush = Flush::ToDisk);

// Removes the name itself (a link, never what it points to). Nothing there is no failure.
Outcome removeName(const std::filesystem::path &path);

// An exclusive lock on a folder, between processes, held while the object lives. The lock is
// the kernel's, so a process that dies releases it: nothing is ever left over on disk.
class FolderLock
{
public:
    FolderLock(const std::filesystem::path &folder, std::chrono::milliseconds patience);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool held() const { return m_held; }
    const std::string &error() const { return m_error; }

private:
    int m_fd = -1;
    bool m_held = false;
    std::string m_error;
};

} // namespace dewmoth::files
