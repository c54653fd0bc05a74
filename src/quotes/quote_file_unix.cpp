#include "quotes/quote_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace dewmoth::quotes {

namespace {

FileStamp stampOf(const struct stat &st)
{
    return {std::uint64_t(st.st_size),
            std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            std::int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec,
            std::uint64_t(st.st_dev),
            std::uint64_t(st.st_ino),
            std::uint64_t(st.st_nlink)};
}

} // namespace

void OpenFile::close()
{
    if (m_handle >= 0)
        ::close(int(m_handle));
    m_handle = -1;
}

OpenStatus OpenFile::open(const std::filesystem::path &path, OpenFile &into, core::Failure &why)
{
    struct stat st
    {
    };
    if (path.empty())
        return OpenStatus::NotFound;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR || errno == ELOOP)
            return OpenStatus::NotFound;
        why = {core::reasonOfErrorNumber(errno), std::strerror(errno)};
        return OpenStatus::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return OpenStatus::NotFound;
    // Non-blocking, so that a FIFO swapped in after the check cannot hold the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return OpenStatus::NotFound;
        why = {core::reasonOfErrorNumber(errno), std::strerror(errno)};
        return OpenStatus::Failed;
    }
    OpenFile file;
    file.m_handle = fd;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return OpenStatus::NotFound;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    into = std::move(file);
    return OpenStatus::Opened;
}

std::int64_t OpenFile::readAt(std::uint64_t offset, char *into, std::size_t size,
                              core::Failure &why) const
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(int(m_handle), into + done, size - done, off_t(offset + done));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            why = {core::reasonOfErrorNumber(errno), std::strerror(errno)};
            return -1;
        }
        done += std::size_t(got);
    }
    return std::int64_t(done);
}

FileStamp OpenFile::stamp() const
{
    struct stat st
    {
    };
    return ::fstat(int(m_handle), &st) == 0 ? stampOf(st) : FileStamp{};
}

bool mayChangeUnseen(const FileStamp &stamp)
{
    // The clock the kernel stamps files with. Where a file system keeps finer times, a time
    // past this tick reads as "may change" too, which costs only a short wait. A status time
    // further ahead comes from a clock set back since: the next write stamps an earlier time,
    // so it cannot go unseen.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const std::int64_t current = std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
    return stamp.changed >= current && stamp.changed - current < 1000000000;
}

std::optional<FileStamp> stampAt(const std::filesystem::path &path)
{
    struct stat st
    {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return stampOf(st);
}

} // namespace dewmoth::quotes
