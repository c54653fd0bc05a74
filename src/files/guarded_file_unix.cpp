#include "files/guarded_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dewmoth::files {

namespace {

std::string reason(int error)
{
    return std::strerror(error);
}

Outcome failed(int error)
{
    return {error, reason(error)};
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now and tells whether the close itself failed (a delayed write error shows here).
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

std::string temporaryName(const std::string &name)
{
    static thread_local std::mt19937_64 random{std::random_device{}() ^ std::uint64_t(::getpid())};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out = "." + name + ".";
    for (int i = 0; i < 10; ++i)
        out += kDigits[random() % 36];
    return out;
}

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(std::size_t(written));
    }
    return true;
}

// Reads to the end of the file, or to `limit` bytes. The file may grow while it is read: room for
// what it held (`expected`) and one byte more, grown as needed. False with errno on an error.
bool readToEnd(int fd, std::size_t expected, std::size_t limit, std::string &content)
{
    content.resize(std::min(expected + 1, limit));
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled >= limit)
                break;
            content.resize(std::min(limit, 2 * filled));
        }
        const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    content.resize(filled);
    return true;
}

} // namespace

ReadResult readSmallFile(const std::filesystem::path &path, std::size_t maxBytes)
{
    ReadResult result;
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.status = ReadStatus::Failed;
        result.error = reason(errno);
        return result;
    }
    // Opening a FIFO waits for a writer and opening a device may act on it: look before opening.
    if (!S_ISREG(info.st_mode)) {
        result.status = ReadStatus::Refused;
        result.error = "not a regular file";
        return result;
    }
    // Non-blocking in case the name was swapped for a FIFO since the look above.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        result.status = errno == ENOENT ? ReadStatus::Absent : ReadStatus::Failed;
        result.error = reason(errno);
        return result;
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = ReadStatus::Refused;
        result.error = "not a regular file";
        return result;
    }
    const auto tooLarge = [&] {
        result.status = ReadStatus::Refused;
        result.error = "larger than " + std::to_string(maxBytes) + " bytes";
        result.content.clear();
        return result;
    };
    if (std::uint64_t(info.st_size) > maxBytes)
        return tooLarge();
    if (!readToEnd(fd.get(), std::size_t(info.st_size), maxBytes + 1, result.content)) {
        result.status = ReadStatus::Failed;
        result.error = reason(errno);
        result.content.clear();
        return result;
    }
    if (result.content.size() > maxBytes)
        return tooLarge();
    result.status = ReadStatus::Read;
    return result;
}

bool nameExists(const std::filesystem::path &path)
{
    struct stat info = {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isLink(const std::filesystem::path &path)
{
    struct stat info = {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

Outcome replaceFile(const std::filesystem::path &path, std::string_view content, Flush flush)
{
    const std::string name = path.filename().string();
    if (name.empty() || name == "." || name == "..")
        return {EINVAL, "not a file name"};
    const std::filesystem::path folderPath = path.parent_path().empty() ? "." : path.parent_path();
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return failed(errno);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temporary = temporaryName(name);
        fd = ::openat(folder.get(), temporary.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (fd < 0)
        return failed(EEXIST);
    Descriptor file(fd);
    // A file that is replaced keeps its permissions (a user's 0600 entry stays private); a link
    // or nothing at the name gives a new file the usual ones.
    struct stat old = {};
    const bool keepMode = ::fstatat(folder.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISREG(old.st_mode);
    const auto fail = [&](int error) {
        if (file.get() >= 0)
            file.close();
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        return failed(error);
    };
    if (keepMode && ::fchmod(file.get(), old.st_mode & 0777) != 0)
        return fail(errno);
    if (!writeAll(file.get(), content))
        return fail(errno);
    if (flush == Flush::ToDisk && ::fsync(file.get()) != 0)
        return fail(errno);
    if (file.close() != 0)
        return fail(errno);
    if (::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0)
        return fail(errno);
    // The rename is durable once the folder is; a failure here leaves a whole file either way.
    if (flush == Flush::ToDisk)
        ::fsync(folder.get());
    return {};
}

Outcome removeName(const std::filesystem::path &path)
{
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return {};
    return failed(errno);
}

FolderLock::FolderLock(const std::filesystem::path &folder, std::chrono::milliseconds patience)
{
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = reason(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_held = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // A file system without such locks (some network homes): every write is a whole
            // file renamed into place anyway, so going on unlocked loses nothing.
            m_held = true;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_error = "another process holds the folder";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

} // namespace dewmoth::files
