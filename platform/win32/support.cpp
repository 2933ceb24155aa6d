#include "support.hpp"

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cerrno>

namespace platform::win32 {

int errno_from(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return ENOENT;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: return ENOTDIR;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
        case ERROR_NOT_SAME_DEVICE: return EXDEV;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION: return ENOSYS;
        case ERROR_BAD_DEVICE: return ENODEV;
        default: return EIO;
    }
}

int adopt_handle(HANDLE handle) {
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool names_device(const std::string& path) {
    // The system turns a device name into \\.\NAME; \\.\C:\... stays a file.
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n < 4 || n >= sizeof full || std::string_view(full, 4) != "\\\\.\\") return false;
    return !(n >= 6 && std::isalpha(static_cast<unsigned char>(full[4])) && full[5] == ':');
}

HANDLE open_shared(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
    if (names_device(path)) {
        SetLastError(ERROR_BAD_DEVICE);
        return INVALID_HANDLE_VALUE;
    }
    if (access & (GENERIC_WRITE | FILE_WRITE_DATA | FILE_APPEND_DATA)) {
        DWORD a = GetFileAttributesA(path.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) && !(a & FILE_ATTRIBUTE_DIRECTORY)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    }
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, flags | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE && GetFileType(h) == FILE_TYPE_CHAR) {
        CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
        SetLastError(ERROR_BAD_DEVICE);
    }
    return h;
}

bool is_disk_file(HANDLE handle) { return GetFileType(handle) == FILE_TYPE_DISK; }

long long unix_nanoseconds(const FILETIME& time) {
    constexpr long long kEpochTicks = 116444736000000000LL;
    long long ticks = static_cast<long long>(static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    return (ticks - kEpochTicks) * 100;
}

}  // namespace platform::win32
