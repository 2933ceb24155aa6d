#include "text_file.hpp"

#include <io.h>

#include <cerrno>

#include "fd_io.hpp"
#include "paths.hpp"
#include "shared.hpp"
#include "support.hpp"

namespace platform {
namespace {
constexpr size_t kReadBuffer = 1 << 16;
}

bool TextReader::open(std::string_view path) {
    close();
    // Only files on a disk: folders, consoles, pipes and devices (CON, AUX)
    // are refused, since reading them could wait for ever.
    HANDLE h = win32::open_shared(resolve_path(path), GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION fi;
    if (!win32::is_disk_file(h) || !GetFileInformationByHandle(h, &fi) || (fi.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        return false;
    }
    fd_ = win32::adopt_handle(h);
    if (fd_ < 0) return false;
    buf_.resize(kReadBuffer);
    pos_ = len_ = 0;
    eof_ = failed_ = false;
    return true;
}

void TextReader::close() {
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    pos_ = len_ = 0;
    eof_ = false;
}

bool TextReader::fill() {
    if (eof_ || failed_ || fd_ < 0) return false;
    pos_ = len_ = 0;
    size_t got = 0;
    if (fd_read(fd_, buf_.data(), buf_.size(), got) != 0) {
        failed_ = true;
        return false;
    }
    if (got == 0) {
        eof_ = true;
        return false;
    }
    len_ = got;
    return true;
}

bool TextReader::rewind() {
    if (fd_ < 0 || fd_rewind(fd_) != 0) return false;
    pos_ = len_ = 0;
    eof_ = failed_ = false;
    return true;
}

// Through the descriptor services, which refuse devices and read-only files.
std::FILE* create_output_stream(const std::string& host_path) {
    int fd = -1;
    int err = fd_create(host_path, fd);
    if (err != 0) {
        errno = err;
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        _close(fd);
        errno = EMFILE;
    }
    return file;
}

}  // namespace platform
