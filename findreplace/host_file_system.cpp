// The real file operations, through the platform's descriptor services.
#include "file_system.hpp"
#include "platform/fd_io.hpp"

#include <cerrno>

namespace morfex {
namespace {

void fill_info(const platform::FdInfo& from, FileInfo& info) {
    info.is_directory = from.is_directory;
    info.is_regular = from.is_regular;
    info.mode = from.mode;
    info.uid = from.uid;
    info.gid = from.gid;
    info.device = from.device;
    info.inode = from.inode;
}

class HostFileSystem : public FileSystem {
public:
    int stat(const std::string& path, FileInfo& info) override {
        platform::FdInfo st;
        int err = platform::fd_stat(path, st);
        if (err == 0) fill_info(st, info);
        return err;
    }

    int stat(int fd, FileInfo& info) override {
        platform::FdInfo st;
        int err = platform::fd_stat(fd, st);
        if (err == 0) fill_info(st, info);
        return err;
    }

    int open_read(const std::string& path, int& fd) override { return platform::fd_open_read(path, fd); }
    int create(const std::string& path, unsigned mode, int& fd) override {
        return platform::fd_create_new(path, mode, fd);
    }
    int open_write(const std::string& path, int& fd) override { return platform::fd_open_write(path, fd); }
    int read(int fd, char* buffer, size_t size, size_t& got) override {
        return platform::fd_read(fd, buffer, size, got);
    }
    int write(int fd, const char* data, size_t size) override {
        return platform::write_all(fd, std::string_view(data, size)) ? 0 : errno;
    }

    int adopt_attributes(int fd, const FileInfo& like) override {
        platform::FdInfo st;
        st.mode = like.mode;
        st.uid = like.uid;
        st.gid = like.gid;
        return platform::fd_adopt_attributes(fd, st);
    }

    int sync(int fd) override { return platform::fd_sync(fd); }
    int close(int fd) override { return platform::fd_close(fd); }
    int link(const std::string& from, const std::string& to) override { return platform::fd_link(from, to); }
    int rename(const std::string& from, const std::string& to) override { return platform::fd_rename(from, to); }
    int remove(const std::string& path) override { return platform::fd_remove(path); }
    int sync_directory(const std::string& dir) override { return platform::fd_sync_directory(dir); }
    std::string real_path(const std::string& path) override { return platform::fd_real_path(path); }
};

}  // namespace

FileSystem& host_file_system() {
    static HostFileSystem fs;
    return fs;
}

}  // namespace morfex
