#include "files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fd_io.hpp"
#include "paths.hpp"

namespace platform {
namespace {

// The name as written first; resolve_path looks further only when that fails.
bool stat_path(std::string_view path, struct stat& st) {
    return stat(to_host_path(path).c_str(), &st) == 0 || stat(resolve_path(path).c_str(), &st) == 0;
}

}  // namespace

bool file_exists(std::string_view path) {
    struct stat st;
    return stat_path(path, st);
}

bool is_regular_file(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISREG(st.st_mode);
}

bool is_directory(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISDIR(st.st_mode);
}

bool read_file(std::string_view path, std::string& data) {
    data.clear();
    // As TextReader::open: nothing that could make the read wait for ever
    // (a regular file never waits, so it keeps O_NONBLOCK). The name as
    // written is tried first; resolve_path looks further only when that fails.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    int fd = open(to_host_path(path).c_str(), flags);
    if (fd < 0) fd = open(resolve_path(path).c_str(), flags);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) ||
        (!S_ISREG(st.st_mode) && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)) {
        close(fd);
        return false;
    }
    // Read straight into data, in pieces of the file's size (and a byte to
    // see its end) when it tells one.
    size_t piece = 1 << 16;
    if (S_ISREG(st.st_mode) && st.st_size >= 0 && static_cast<size_t>(st.st_size) < piece)
        piece = std::max<size_t>(static_cast<size_t>(st.st_size) + 1, 1 << 10);
    size_t room = piece;
    for (;;) {
        size_t have = data.size();
        data.resize(have + room);
        ssize_t n = read(fd, data.data() + have, room);
        data.resize(have + (n > 0 ? static_cast<size_t>(n) : 0));
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return false;
        }
        if (n == 0) break;
        // The read that finds the end goes into the room left, without a
        // larger string.
        room = data.capacity() > data.size() ? data.capacity() - data.size() : piece;
    }
    close(fd);
    return true;
}

bool write_file_atomic(std::string_view path, std::string_view data) {
    std::string target = resolve_path(path);
    // Write through a symbolic link to the file it names.
    if (char* real = realpath(target.c_str(), nullptr)) {
        target = real;
        free(real);
    }
    mode_t mode = 0666 & ~[] { mode_t m = umask(0); umask(m); return m; }();
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        mode = st.st_mode & 07777;
    }
    // A short temporary name in the same folder, so a long file name still fits.
    size_t slash = target.rfind('/');
    std::string temp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + ".tmsXXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = write_all(fd, data) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

bool remove_file(std::string_view path) { return unlink(resolve_path(path).c_str()) == 0; }

bool rename_file(std::string_view from, std::string_view to) {
    return rename(resolve_path(from).c_str(), resolve_path(to).c_str()) == 0;
}

}  // namespace platform
