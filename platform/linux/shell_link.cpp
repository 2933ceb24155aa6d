#include "shell_link.hpp"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {
namespace {

int64_t nanoseconds(const struct statx_timestamp& t) {
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

FileStamp file_stamp(const std::string& host) {
    FileStamp stamp;
    struct statx sx;
    if (statx(AT_FDCWD, host.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return stamp;
    stamp.directory = S_ISDIR(sx.stx_mode);
    stamp.size = stamp.directory ? 0 : sx.stx_size;
    stamp.modified = nanoseconds(sx.stx_mtime);
    stamp.accessed = nanoseconds(sx.stx_atime);
    stamp.created = (sx.stx_mask & STATX_BTIME) ? nanoseconds(sx.stx_btime) : stamp.modified;
    return stamp;
}

}  // namespace platform
