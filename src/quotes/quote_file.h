// The quote file as the reader keeps it: opened once, read at offsets while the window is open,
// never written. One implementation per platform.
#pragma once

#include "core/failure.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace dewmoth::quotes {

// What tells an edited file from the one that was indexed. Size and modification time alone
// miss an edit of the same size whose time was put back, and a file renamed over the name.
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds (or the platform's finest unit) since its epoch
    std::int64_t changed = 0;  // the status change time: moves on every write, cannot be set
    std::uint64_t device = 0;  // with `file`, which file this is (device and inode)
    std::uint64_t file = 0;
    std::uint64_t links = 0; // names the file has; no part of what it is

    bool operator==(const FileStamp &other) const
    {
        return size == other.size && modified == other.modified && changed == other.changed &&
               device == other.device && file == other.file;
    }
    // Whether an open file still holds what it held at `before`: deleting or renaming it over
    // changes its status time, but not its bytes.
    bool holdsWhat(const FileStamp &before) const
    {
        return size == before.size && modified == before.modified &&
               (changed == before.changed || links != before.links);
    }
};

enum class OpenStatus { Opened, NotFound, Failed };

class OpenFile
{
public:
    OpenFile() = default;
    ~OpenFile();
    OpenFile(OpenFile &&other) noexcept;
    OpenFile &operator=(OpenFile &&other) noexcept;
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    // Opens a regular file for reading, never waiting on a FIFO or device, and (on Windows) so
    // that editors can still save over it or delete it. Anything but a regular file, and nothing
    // at all, is NotFound; `why` tells why an existing file could not be opened.
    static OpenStatus open(const std::filesystem::path &path, OpenFile &into, core::Failure &why);

    // Reads up to `size` bytes at `offset`, fewer only at the end of the file. -1 on a read
    // error, with the reason in `why`.
    std::int64_t readAt(std::uint64_t offset, char *into, std::size_t size,
                        core::Failure &why) const;

    FileStamp stamp() const;

private:
    void close();

    std::intptr_t m_handle = -1;
};

// Whether a write could still leave `stamp` as it is: file times move with the clock's coarse
// tick, so a write within the tick that the status time shows changes no time at all.
bool mayChangeUnseen(const FileStamp &stamp);

// The stamp of the regular file the path names now; nothing when there is none.
std::optional<FileStamp> stampAt(const std::filesystem::path &path);

} // namespace dewmoth::quotes
