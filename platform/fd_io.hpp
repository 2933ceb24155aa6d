// Files as descriptors, for programs that do their own reading and writing.
// Names are host paths (see resolve_path). Calls that return int give 0 or
// an errno value: ENOENT or ENOTDIR for a missing file or folder, EACCES for
// no access (on Windows also a file that another program holds), EEXIST,
// EMFILE for too many open files, EISDIR; on Windows ENODEV for the name of
// a device (CON, NUL, AUX, COM1 ..., also with an extension), which is no file
// there, and EACCES for writing to a read-only file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

struct FdInfo {
    bool is_directory = false;
    bool is_regular = false;
    unsigned mode = 0;  // permission bits; on Windows 0444 for read-only, else 0666
    unsigned uid = 0;
    unsigned gid = 0;
    uint64_t device = 0;  // with inode: the same pair means the same file
    uint64_t inode = 0;
};

int fd_stat(const std::string& path, FdInfo& info);
int fd_stat(int fd, FdInfo& info);

// Opens an existing file for reading; EISDIR for a folder.
int fd_open_read(const std::string& path, int& fd);
// Creates a new file; EEXIST when the name is taken. mode is reduced by the umask.
int fd_create_new(const std::string& path, unsigned mode, int& fd);
// Creates or truncates a file for writing.
int fd_create(const std::string& path, int& fd);
// Opens an existing file (on Linux also a device or pipe) for writing,
// truncating a file.
int fd_open_write(const std::string& path, int& fd);

// Reads up to size bytes; got is 0 at the end of the file.
int fd_read(int fd, char* buffer, size_t size, size_t& got);
// Writes all of data, retrying after interruptions and short writes. False on
// failure, with errno telling why.
bool write_all(int fd, std::string_view data);
// Back to the start of the file.
int fd_rewind(int fd);
// Gives the file the permissions and, where allowed, the owner of like.
int fd_adopt_attributes(int fd, const FdInfo& like);
// Flushes the file's data to the disk.
int fd_sync(int fd);
int fd_close(int fd);

// A second name for a file; EXDEV or ENOSYS where the file system has none
// (always ENOSYS on Windows).
int fd_link(const std::string& from, const std::string& to);
// Renames, replacing to atomically when it exists (on Windows not when to
// is read-only: EACCES).
int fd_rename(const std::string& from, const std::string& to);
int fd_remove(const std::string& path);
int fd_sync_directory(const std::string& dir);
// The path with every link followed, made absolute; path itself when that fails.
std::string fd_real_path(const std::string& path);

}  // namespace platform
