#include "file_ops.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fd_io.hpp"
#include "paths.hpp"
#include "shared.hpp"

namespace platform {
namespace {

bool same_entry(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool copy_host(const std::string& src, const std::string& dst) {
    int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st;
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    struct stat dst_st;
    if (stat(dst.c_str(), &dst_st) == 0 && (same_entry(st, dst_st) || S_ISDIR(dst_st.st_mode))) {
        ::close(in);
        return false;
    }
    // A short temporary name beside the target, so the longest names fit.
    size_t slash = dst.rfind('/');
    std::string temp = (slash == std::string::npos ? std::string() : dst.substr(0, slash + 1)) + ".tmsXXXXXX";
    int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        ::close(in);
        return false;
    }
    std::vector<char> buf(1 << 16);
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        if (!write_all(out, std::string_view(buf.data(), static_cast<size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    if (ok) ok = fchmod(out, st.st_mode & 07777) == 0;
    if (ok) {
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        ok = futimens(out, times) == 0;
    }
    ok = ::close(out) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), dst.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace

bool copy_file(std::string_view from, std::string_view to) {
    return !has_wildcards(to) && copy_host(resolve_path(from), resolve_path(to));
}

bool move_file(std::string_view from, std::string_view to) {
    if (has_wildcards(to)) return false;
    std::string src = resolve_path(from), dst = resolve_path(to);
    struct stat s, d;
    if (lstat(src.c_str(), &s) != 0) return false;
    if (lstat(dst.c_str(), &d) == 0) {
        if (!same_entry(s, d)) return false;
        // Same entry: only a change of case; rename to the name as written.
        dst = to_host_path(to);
    }
    if (::rename(src.c_str(), dst.c_str()) == 0) return true;
    if (errno != EXDEV || !S_ISREG(s.st_mode)) return false;
    if (!copy_host(src, dst)) return false;
    return ::unlink(src.c_str()) == 0;
}

bool delete_file(std::string_view path) {
    std::string p = resolve_path(path);
    struct stat st;
    if (lstat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(p.c_str()) == 0;
}

bool make_directory(std::string_view path) {
    if (has_wildcards(path)) return false;
    std::string p = resolve_path(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return ::mkdir(p.c_str(), 0777) == 0;
}

bool remove_directory(std::string_view path) {
    std::string p = resolve_path(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return ::rmdir(p.c_str()) == 0;
}

bool last_write_time(std::string_view path, int64_t& nanoseconds) {
    int fd = ::open(resolve_path(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!ok) return false;
    nanoseconds = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool write_text(std::string_view path, std::string_view text, bool append) {
    if (has_wildcards(path)) return false;
    std::string p = resolve_path(path);
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (append ? O_APPEND : O_TRUNC);
    int fd = ::open(p.c_str(), flags, 0666);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bool ok = write_all(fd, with_crlf(text));
    return ::close(fd) == 0 && ok;
}

}  // namespace platform
