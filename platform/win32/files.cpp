#include "files.hpp"

#include <cerrno>
#include <string>

#include "fd_io.hpp"
#include "paths.hpp"
#include "support.hpp"

namespace platform {
namespace {

DWORD attributes_of(std::string_view path) { return GetFileAttributesA(resolve_path(path).c_str()); }

std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new file beside target under a short name; fd -1 when none could be made.
std::string create_temp_beside(const std::string& target, int& fd) {
    const std::string folder = folder_of(target);
    DWORD seed = GetCurrentProcessId() * 7919u + GetTickCount();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = folder + ".tms" + std::to_string((seed + static_cast<DWORD>(attempt)) % 1000000u);
        int err = fd_create_new(temp, 0666, fd);
        if (err == 0) return temp;
        if (err != EEXIST) break;
    }
    fd = -1;
    return {};
}

}  // namespace

bool file_exists(std::string_view path) { return attributes_of(path) != INVALID_FILE_ATTRIBUTES; }

bool is_regular_file(std::string_view path) {
    FdInfo info;
    return fd_stat(resolve_path(path), info) == 0 && info.is_regular;
}

bool is_directory(std::string_view path) {
    DWORD a = attributes_of(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool read_file(std::string_view path, std::string& data) {
    data.clear();
    // As TextReader::open: only files on a disk, nothing that could wait for ever.
    HANDLE h = win32::open_shared(resolve_path(path), GENERIC_READ, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION fi;
    bool ok = win32::is_disk_file(h) && GetFileInformationByHandle(h, &fi) &&
              !(fi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    char buf[1 << 16];
    while (ok) {
        DWORD n = 0;
        ok = ReadFile(h, buf, sizeof buf, &n, nullptr);
        if (!ok || n == 0) break;
        data.append(buf, n);
    }
    CloseHandle(h);
    return ok;
}

bool write_file_atomic(std::string_view path, std::string_view data) {
    std::string target = fd_real_path(resolve_path(path));
    DWORD old = GetFileAttributesA(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    FdInfo info;
    if (old != INVALID_FILE_ATTRIBUTES && (fd_stat(target, info) != 0 || !info.is_regular)) return false;
    int fd = -1;
    std::string temp = create_temp_beside(target, fd);
    if (fd < 0) return false;
    bool ok = write_all(fd, data) && fd_sync(fd) == 0;
    ok = fd_close(fd) == 0 && ok;
    if (ok && old != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(temp.c_str(), old);
    if (ok) ok = fd_rename(temp, target) == 0;
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

bool remove_file(std::string_view path) { return DeleteFileA(resolve_path(path).c_str()) != 0; }

bool rename_file(std::string_view from, std::string_view to) {
    return fd_rename(resolve_path(from), resolve_path(to)) == 0;
}

}  // namespace platform
