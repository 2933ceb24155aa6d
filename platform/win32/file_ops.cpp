#include "file_ops.hpp"

#include <string>

#include "fd_io.hpp"
#include "paths.hpp"
#include "shared.hpp"
#include "support.hpp"

namespace platform {
namespace {

bool same_file(const std::string& a, const std::string& b) {
    FdInfo x, y;
    return fd_stat(a, x) == 0 && fd_stat(b, y) == 0 && x.is_regular && x.device == y.device && x.inode == y.inode;
}

std::string strip_separators(std::string path) {
    while (path.size() > 1 && path.back() == '/' && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

}  // namespace

bool copy_file(std::string_view from, std::string_view to) {
    if (has_wildcards(to)) return false;
    std::string src = resolve_path(from), dst = resolve_path(to);
    if (win32::names_device(dst)) return false;
    FdInfo info;
    if (fd_stat(src, info) != 0 || !info.is_regular || same_file(src, dst)) return false;
    DWORD a = GetFileAttributesA(dst.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Copied beside the target first (attributes and times come along), then
    // renamed over it, so a failed copy leaves the target untouched.
    size_t slash = dst.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : dst.substr(0, slash + 1);
    std::string temp = folder + ".tms" + std::to_string(GetCurrentProcessId()) + ".tmp";
    if (!CopyFileA(src.c_str(), temp.c_str(), TRUE)) return false;
    SetFileAttributesA(temp.c_str(), GetFileAttributesA(temp.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    if (fd_rename(temp, dst) == 0) return true;
    DeleteFileA(temp.c_str());
    return false;
}

bool move_file(std::string_view from, std::string_view to) {
    if (has_wildcards(to)) return false;
    std::string dst = resolve_path(to);
    if (win32::names_device(dst)) return false;
    return MoveFileExA(resolve_path(from).c_str(), dst.c_str(), MOVEFILE_COPY_ALLOWED) != 0;
}

bool delete_file(std::string_view path) { return DeleteFileA(resolve_path(path).c_str()) != 0; }

bool make_directory(std::string_view path) {
    if (has_wildcards(path)) return false;
    return CreateDirectoryA(strip_separators(resolve_path(path)).c_str(), nullptr) != 0;
}

bool remove_directory(std::string_view path) {
    return RemoveDirectoryA(strip_separators(resolve_path(path)).c_str()) != 0;
}

bool last_write_time(std::string_view path, int64_t& nanoseconds) {
    HANDLE h = win32::open_shared(resolve_path(path), GENERIC_READ, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION fi;
    bool ok = win32::is_disk_file(h) && GetFileInformationByHandle(h, &fi) &&
              !(fi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    if (ok) nanoseconds = win32::unix_nanoseconds(fi.ftLastWriteTime);
    return ok;
}

bool write_text(std::string_view path, std::string_view text, bool append) {
    if (has_wildcards(path)) return false;
    HANDLE h = win32::open_shared(resolve_path(path), GENERIC_WRITE, append ? OPEN_ALWAYS : CREATE_ALWAYS);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION fi;
    if (win32::is_disk_file(h) &&
        (!GetFileInformationByHandle(h, &fi) || (fi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))) {
        CloseHandle(h);
        return false;
    }
    LARGE_INTEGER zero{};
    if (append) SetFilePointerEx(h, zero, nullptr, FILE_END);
    int fd = win32::adopt_handle(h);
    if (fd < 0) return false;
    bool ok = write_all(fd, with_crlf(text));
    return fd_close(fd) == 0 && ok;
}

}  // namespace platform
