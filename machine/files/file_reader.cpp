#include "machine/files/file_reader.hpp"

#include <cerrno>

#include "platform/fd_io.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"

namespace scree {

namespace {

ReadResult open_failure(int error) {
    if (error == ENOENT || error == ENOTDIR) return ReadResult::Missing;
    if (error == EISDIR) return ReadResult::Folder;
    return ReadResult::Failed;
}

// At most limit bytes, and one more to tell a larger file.
ReadResult read_limited(int fd, size_t limit, std::string& data) {
    data.clear();
    char buffer[1 << 14];
    for (;;) {
        size_t got = 0;
        if (platform::fd_read(fd, buffer, sizeof buffer, got) != 0) return ReadResult::Failed;
        if (got == 0) return ReadResult::Ok;
        if (data.size() + got > limit) return ReadResult::TooLarge;
        data.append(buffer, got);
    }
}

}  // namespace

ReadResult read_file_up_to(const std::string& name, size_t limit, std::string& data) {
    if (platform::is_directory(name)) return ReadResult::Folder;
    int fd = -1;
    int error = platform::fd_open_read(platform::to_host_path(name), fd);
    if (error != 0) error = platform::fd_open_read(platform::resolve_path(name), fd);
    if (error != 0) return open_failure(error);
    platform::FdInfo info;
    ReadResult result = platform::fd_stat(fd, info) != 0 ? ReadResult::Failed
                        : info.is_directory           ? ReadResult::Folder
                        : !info.is_regular            ? ReadResult::Failed
                                                      : read_limited(fd, limit, data);
    platform::fd_close(fd);
    return result;
}

FileReader platform_file_reader() {
    return [](const std::string& name, std::string& data) { return read_file_up_to(name, kMaxInputFile, data); };
}

std::string read_failure(ReadResult result) {
    switch (result) {
        case ReadResult::Missing: return "does not exist";
        case ReadResult::Folder: return "is a folder, not a file";
        case ReadResult::TooLarge: return "is larger than 4 MB, more than any program or object file";
        case ReadResult::Failed: return "cannot be read";
        case ReadResult::Ok: break;
    }
    return "";
}

}  // namespace scree
