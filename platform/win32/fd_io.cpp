#include "fd_io.hpp"

#include <io.h>

#include <cerrno>
#include <vector>

#include "support.hpp"

namespace platform {
namespace {

using win32::handle_of;

int last_error() { return win32::errno_from(GetLastError()); }

int result(BOOL ok) { return ok ? 0 : last_error(); }

void fill_info(HANDLE h, FdInfo& info) {
    info = FdInfo{};
    BY_HANDLE_FILE_INFORMATION fi;
    if (!win32::is_disk_file(h) || !GetFileInformationByHandle(h, &fi)) return;  // a device or pipe
    info.is_directory = (fi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.is_regular = !info.is_directory;
    info.mode = (fi.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    info.device = fi.dwVolumeSerialNumber;
    info.inode = static_cast<uint64_t>(fi.nFileIndexHigh) << 32 | fi.nFileIndexLow;
}

// Opens path as a descriptor; the handle is closed again on failure.
int open_fd(const std::string& path, DWORD access, DWORD disposition, DWORD flags, int& fd) {
    fd = -1;
    HANDLE h = win32::open_shared(path, access, disposition, flags);
    if (h == INVALID_HANDLE_VALUE) return last_error();
    fd = win32::adopt_handle(h);
    return fd < 0 ? EMFILE : 0;
}

}  // namespace

int fd_stat(const std::string& path, FdInfo& info) {
    int fd = -1;
    int err = open_fd(path, FILE_READ_ATTRIBUTES, OPEN_EXISTING, 0, fd);
    if (err != 0) return err;
    fill_info(handle_of(fd), info);
    _close(fd);
    return 0;
}

int fd_stat(int fd, FdInfo& info) {
    HANDLE h = handle_of(fd);
    if (h == INVALID_HANDLE_VALUE) return EBADF;
    fill_info(h, info);
    return 0;
}

int fd_open_read(const std::string& path, int& fd) {
    int err = open_fd(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, fd);
    if (err != 0) return err;
    FdInfo info;
    fill_info(handle_of(fd), info);
    if (!info.is_directory) return 0;
    _close(fd);
    fd = -1;
    return EISDIR;
}

int fd_create_new(const std::string& path, unsigned mode, int& fd) {
    DWORD attributes = (mode & 0222) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
    return open_fd(path, GENERIC_WRITE, CREATE_NEW, attributes, fd);
}

int fd_create(const std::string& path, int& fd) { return open_fd(path, GENERIC_WRITE, CREATE_ALWAYS, 0, fd); }

int fd_open_write(const std::string& path, int& fd) {
    int err = open_fd(path, GENERIC_WRITE, OPEN_EXISTING, 0, fd);
    if (err != 0) return err;
    HANDLE h = handle_of(fd);
    if (win32::is_disk_file(h) && !SetEndOfFile(h)) {
        err = last_error();
        _close(fd);
        fd = -1;
    }
    return err;
}

int fd_read(int fd, char* buffer, size_t size, size_t& got) {
    got = 0;
    DWORD n = 0;
    DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (ReadFile(handle_of(fd), buffer, want, &n, nullptr)) {
        got = n;
        return 0;
    }
    DWORD e = GetLastError();
    return e == ERROR_BROKEN_PIPE || e == ERROR_HANDLE_EOF ? 0 : win32::errno_from(e);
}

bool write_all(int fd, std::string_view data) {
    HANDLE h = handle_of(fd);
    while (!data.empty()) {
        DWORD n = 0;
        DWORD want = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
        if (!WriteFile(h, data.data(), want, &n, nullptr) || n == 0) {
            errno = last_error();
            return false;
        }
        data.remove_prefix(n);
    }
    return true;
}

int fd_rewind(int fd) {
    LARGE_INTEGER zero{};
    return result(SetFilePointerEx(handle_of(fd), zero, nullptr, FILE_BEGIN));
}

// A read-only file cannot be replaced on Windows, so there is nothing to keep.
int fd_adopt_attributes(int, const FdInfo&) { return 0; }

int fd_sync(int fd) { return result(FlushFileBuffers(handle_of(fd))); }

int fd_close(int fd) { return _close(fd) == 0 ? 0 : EIO; }

// A second name would share the file's read-only flag and the sharing of
// whoever holds it open, so it could not be deleted after the very failures
// it is kept for; callers copy instead.
int fd_link(const std::string&, const std::string&) { return ENOSYS; }

int fd_rename(const std::string& from, const std::string& to) {
    if (win32::names_device(to)) return ENODEV;
    // Windows keeps a read-only file from being replaced (Wine would not).
    DWORD a = GetFileAttributesA(to.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) return EACCES;
    return result(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

int fd_remove(const std::string& path) { return result(DeleteFileA(path.c_str())); }

// The rename itself is written through.
int fd_sync_directory(const std::string&) { return 0; }

std::string fd_real_path(const std::string& path) {
    HANDLE h = win32::open_shared(path, 0, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::vector<char> buf(32768);
    DWORD n = GetFinalPathNameByHandleA(h, buf.data(), static_cast<DWORD>(buf.size()), FILE_NAME_NORMALIZED);
    CloseHandle(h);
    if (n == 0 || n >= buf.size()) return path;
    std::string out(buf.data(), n);
    if (out.rfind("\\\\?\\UNC\\", 0) == 0)
        out = "\\\\" + out.substr(8);
    else if (out.rfind("\\\\?\\", 0) == 0)
        out.erase(0, 4);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

}  // namespace platform
