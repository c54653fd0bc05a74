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

// What tells an edited file from the one that was indexed.
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds (or the platform's finest unit) since its epoch

    bool operator==(const FileStamp &) const = default;
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

// The stamp of the regular file the path names now; nothing when there is none.
std::optional<FileStamp> stampAt(const std::filesystem::path &path);

} // namespace dewmoth::quotes
