#include "fd_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

void fill_info(const struct stat& st, FdInfo& info) {
    info.is_directory = S_ISDIR(st.st_mode);
    info.is_regular = S_ISREG(st.st_mode);
    info.mode = st.st_mode & 07777;
    info.uid = st.st_uid;
    info.gid = st.st_gid;
    info.device = st.st_dev;
    info.inode = st.st_ino;
}

int result(int rc) { return rc == 0 ? 0 : errno; }

int opened(int fd_or_error) { return fd_or_error < 0 ? errno : 0; }

}  // namespace

int fd_stat(const std::string& path, FdInfo& info) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno;
    fill_info(st, info);
    return 0;
}

int fd_stat(int fd, FdInfo& info) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return errno;
    fill_info(st, info);
    return 0;
}

int fd_open_read(const std::string& path, int& fd) {
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

int fd_create_new(const std::string& path, unsigned mode, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    return opened(fd);
}

int fd_create(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return opened(fd);
}

int fd_open_write(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return opened(fd);
}

int fd_read(int fd, char* buffer, size_t size, size_t& got) {
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        got = static_cast<size_t>(n);
        return 0;
    }
}

bool write_all(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

int fd_rewind(int fd) { return lseek(fd, 0, SEEK_SET) == 0 ? 0 : errno; }

int fd_adopt_attributes(int fd, const FdInfo& like) {
    // The owner can only be kept by a privileged user; that is no error.
    if (::fchown(fd, like.uid, like.gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), like.gid);
    return result(::fchmod(fd, static_cast<mode_t>(like.mode)));
}

int fd_sync(int fd) { return result(::fsync(fd)); }
int fd_close(int fd) { return result(::close(fd)); }

int fd_link(const std::string& from, const std::string& to) { return result(::link(from.c_str(), to.c_str())); }
int fd_rename(const std::string& from, const std::string& to) { return result(::rename(from.c_str(), to.c_str())); }
int fd_remove(const std::string& path) { return result(::unlink(path.c_str())); }

int fd_sync_directory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int rc = result(::fsync(fd));
    ::close(fd);
    return rc;
}

std::string fd_real_path(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string out = real;
    std::free(real);
    return out;
}

}  // namespace platform
