#include "shell_link.hpp"

#include "support.hpp"

namespace platform {

FileStamp file_stamp(const std::string& host) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(host.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    stamp.size = stamp.directory ? 0 : (static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
    stamp.created = win32::unix_nanoseconds(data.ftCreationTime);
    stamp.accessed = win32::unix_nanoseconds(data.ftLastAccessTime);
    stamp.modified = win32::unix_nanoseconds(data.ftLastWriteTime);
    return stamp;
}

}  // namespace platform
