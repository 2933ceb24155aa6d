// The real file operations.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "file_system.hpp"
#include "platform/fd_io.hpp"

namespace morfex {
namespace {

void fill_info(const struct stat& st, FileInfo& info) {
    info.is_directory = S_ISDIR(st.st_mode);
    info.is_regular = S_ISREG(st.st_mode);
    info.mode = st.st_mode & 07777;
    info.uid = st.st_uid;
    info.gid = st.st_gid;
    info.device = st.st_dev;
    info.inode = st.st_ino;
}

int result(int rc) { return rc == 0 ? 0 : errno; }

class HostFileSystem : public FileSystem {
public:
    int stat(const std::string& path, FileInfo& info) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return errno;
        fill_info(st, info);
        return 0;
    }

    int stat(int fd, FileInfo& info) override {
        struct stat st;
        if (::fstat(fd, &st) != 0) return errno;
        fill_info(st, info);
        return 0;
    }

    int open_read(const std::string& path, int& fd) override {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return errno;
        struct stat st;
        int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
        if (err != 0) {
            ::close(fd);
            fd = -1;
            return err;
        }
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return 0;
    }

    int create(const std::string& path, unsigned mode, int& fd) override {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
        return fd < 0 ? errno : 0;
    }

    int open_write(const std::string& path, int& fd) override {
        fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return fd < 0 ? errno : 0;
    }

    int read(int fd, char* buffer, size_t size, size_t& got) override {
        for (;;) {
            ssize_t n = ::read(fd, buffer, size);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            got = static_cast<size_t>(n);
            return 0;
        }
    }

    int write(int fd, const char* data, size_t size) override {
        return platform::write_all(fd, std::string_view(data, size)) ? 0 : errno;
    }

    int adopt_attributes(int fd, const FileInfo& like) override {
        // The owner can only be kept by a privileged user; that is no error.
        if (::fchown(fd, like.uid, like.gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), like.gid);
        return result(::fchmod(fd, static_cast<mode_t>(like.mode)));
    }

    int sync(int fd) override { return result(::fsync(fd)); }
    int close(int fd) override { return result(::close(fd)); }
    int link(const std::string& from, const std::string& to) override {
        return result(::link(from.c_str(), to.c_str()));
    }
    int rename(const std::string& from, const std::string& to) override {
        return result(::rename(from.c_str(), to.c_str()));
    }
    int remove(const std::string& path) override { return result(::unlink(path.c_str())); }

    int sync_directory(const std::string& dir) override {
        int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        int rc = result(::fsync(fd));
        ::close(fd);
        return rc;
    }

    std::string real_path(const std::string& path) override {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) return path;
        std::string out = real;
        std::free(real);
        return out;
    }
};

}  // namespace

FileSystem& host_file_system() {
    static HostFileSystem fs;
    return fs;
}

}  // namespace morfex
