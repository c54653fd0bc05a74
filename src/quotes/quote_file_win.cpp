#include "quotes/quote_file.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include <windows.h>

namespace dewmoth::quotes {

namespace {

HANDLE handleOf(std::intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

std::int64_t ticks(const FILETIME &t)
{
    return std::int64_t((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

core::Failure failureOf(DWORD error)
{
    return {core::reasonOfWindowsError(error), std::system_category().message(int(error))};
}

} // namespace

void OpenFile::close()
{
    if (m_handle != -1)
        ::CloseHandle(handleOf(m_handle));
    m_handle = -1;
}

OpenStatus OpenFile::open(const std::filesystem::path &path, OpenFile &into, core::Failure &why)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return OpenStatus::NotFound;
    // Shared for writing and deleting too: an editor saving the file must not be refused
    // because the window keeps it open.
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return OpenStatus::NotFound;
        why = failureOf(error);
        return OpenStatus::Failed;
    }
    OpenFile file;
    file.m_handle = reinterpret_cast<std::intptr_t>(h);
    if (::GetFileType(h) != FILE_TYPE_DISK)
        return OpenStatus::NotFound;
    into = std::move(file);
    return OpenStatus::Opened;
}

std::int64_t OpenFile::readAt(std::uint64_t offset, char *into, std::size_t size,
                              core::Failure &why) const
{
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at{};
        const std::uint64_t where = offset + done;
        at.Offset = DWORD(where & 0xFFFFFFFF);
        at.OffsetHigh = DWORD(where >> 32);
        DWORD got = 0;
        const DWORD want = DWORD(std::min<std::size_t>(size - done, 1u << 30));
        if (!::ReadFile(handleOf(m_handle), into + done, want, &got, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            why = failureOf(::GetLastError());
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return std::int64_t(done);
}

namespace {

std::optional<FileStamp> stampOf(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    FILE_BASIC_INFO basic{};
    const std::int64_t changed =
        ::GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)
            ? std::int64_t(basic.ChangeTime.QuadPart)
            : 0;
    return FileStamp{(std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                     ticks(info.ftLastWriteTime),
                     changed,
                     info.dwVolumeSerialNumber,
                     (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                     info.nNumberOfLinks};
}

} // namespace

FileStamp OpenFile::stamp() const
{
    return stampOf(handleOf(m_handle)).value_or(FileStamp{});
}

bool mayChangeUnseen(const FileStamp &stamp)
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    // Stamped in the clock's current tick (allowing a second for coarse clocks). A time further
    // ahead was set by hand or comes from another clock: the next write stamps an earlier time,
    // so it cannot go unseen, and waiting for the clock to reach it would show nothing until then.
    const std::int64_t current = ticks(now);
    constexpr std::int64_t kSecond = 10'000'000; // in the file times' 100 ns units
    const auto thisTick = [current](std::int64_t t) {
        return t >= current && t - current < kSecond;
    };
    return thisTick(stamp.changed) || thisTick(stamp.modified);
}

std::optional<FileStamp> stampAt(const std::filesystem::path &path)
{
    if (path.empty())
        return std::nullopt;
    // Attributes only, shared every way: looking must never stand in an editor's way.
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<FileStamp> stamp = stampOf(h);
    ::CloseHandle(h);
    return stamp;
}

} // namespace dewmoth::quotes
