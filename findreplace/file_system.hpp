// The file operations morfex uses, behind an interface so that tests can make
// any of them fail. Names are host paths; every operation returns 0 or an
// errno value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morfex {

struct FileInfo {
    bool is_directory = false;
    bool is_regular = false;
    unsigned mode = 0;  // permission bits
    unsigned uid = 0;
    unsigned gid = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int stat(const std::string& path, FileInfo& info) = 0;
    virtual int stat(int fd, FileInfo& info) = 0;
    // EISDIR for a directory.
    virtual int open_read(const std::string& path, int& fd) = 0;
    // A new file; EEXIST when the name is taken. mode is reduced by the umask.
    virtual int create(const std::string& path, unsigned mode, int& fd) = 0;
    // An existing file or device, opened for writing and truncated.
    virtual int open_write(const std::string& path, int& fd) = 0;
    // got is 0 at the end of the file.
    virtual int read(int fd, char* buffer, size_t size, size_t& got) = 0;
    // Writes all of data.
    virtual int write(int fd, const char* data, size_t size) = 0;
    // Gives the file the permissions and, where allowed, the owner of like.
    virtual int adopt_attributes(int fd, const FileInfo& like) = 0;
    // Flushes the file's data to the disk.
    virtual int sync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int link(const std::string& from, const std::string& to) = 0;
    // Replaces to atomically when it exists.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    virtual int sync_directory(const std::string& dir) = 0;
    // The path with every symbolic link followed; path itself when that fails.
    virtual std::string real_path(const std::string& path) = 0;
};

// The host's file system.
FileSystem& host_file_system();

}  // namespace morfex
