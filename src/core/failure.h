// Why something the user asked for did not happen, as a code that the windows and the command
// line word in the user's language. The system's own words (English) go to the log only.
// Plain C++: the Windows backend uses it without Qt.
#pragma once

#include <cerrno>
#include <string>

namespace dewmoth::core {

enum class Reason {
    None,
    NotFound,       // a file or folder on the way is missing
    NoAccess,       // permissions
    ReadOnly,       // a read-only file system
    NoSpace,        // the disk or the user's quota is full
    TooLarge,       // larger than the program takes
    NotAFile,       // a folder, device or FIFO where a file belongs
    NotText,        // a file of bytes that are no text
    NotExpressible, // the program's path cannot be written into a start-up entry
    NotTaken,       // written, but the desktop does not take it
    Busy,           // another process holds what we need
    OutOfMemory,
    Other, // see the log
};

struct Failure
{
    Reason reason = Reason::None;
    std::string detail; // for the log

    bool failed() const { return reason != Reason::None; }
};

// The reason behind a C library error number (errno).
constexpr Reason reasonOfErrorNumber(int error)
{
    switch (error) {
    case 0:
        return Reason::None;
    case ENOENT:
    case ENOTDIR:
        return Reason::NotFound;
    case EACCES:
    case EPERM:
        return Reason::NoAccess;
    case EROFS:
        return Reason::ReadOnly;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Reason::NoSpace;
    case EFBIG:
        return Reason::TooLarge;
    case EISDIR:
        return Reason::NotAFile;
    case ENOMEM:
        return Reason::OutOfMemory;
    case EBUSY:
    case EAGAIN:
        return Reason::Busy;
    default:
        return Reason::Other;
    }
}

// The reason behind a Windows error code (GetLastError, or the code inside an HRESULT).
constexpr Reason reasonOfWindowsError(unsigned long error)
{
    switch (error) {
    case 0:
        return Reason::None;
    case 2: // ERROR_FILE_NOT_FOUND
    case 3: // ERROR_PATH_NOT_FOUND
        return Reason::NotFound;
    case 5: // ERROR_ACCESS_DENIED
        return Reason::NoAccess;
    case 8:  // ERROR_NOT_ENOUGH_MEMORY
    case 14: // ERROR_OUTOFMEMORY
        return Reason::OutOfMemory;
    case 19: // ERROR_WRITE_PROTECT
        return Reason::ReadOnly;
    case 32: // ERROR_SHARING_VIOLATION
    case 33: // ERROR_LOCK_VIOLATION
        return Reason::Busy;
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return Reason::NoSpace;
    default:
        return Reason::Other;
    }
}

} // namespace dewmoth::core
