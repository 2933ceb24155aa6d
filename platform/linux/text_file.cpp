#include "text_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "paths.hpp"
#include "shared.hpp"

namespace platform {
namespace {
constexpr size_t kReadBuffer = 1 << 16;
}

bool TextReader::open(std::string_view path) {
    close();
    // Non-blocking open, so a FIFO without writer cannot stall it; folders,
    // FIFOs and sockets are refused, since reading them could wait for ever
    // (a regular file never waits, so it keeps O_NONBLOCK). The name as
    // written is tried first; resolve_path looks further only when that fails.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    fd_ = ::open(to_host_path(path).c_str(), flags);
    if (fd_ < 0) fd_ = ::open(resolve_path(path).c_str(), flags);
    if (fd_ < 0) return false;
    struct stat st;
    if (fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) ||
        (!S_ISREG(st.st_mode) && fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0)) {
        close();
        return false;
    }
    // A small file needs no more than its size and a byte to see its end.
    size_t size = kReadBuffer;
    if (S_ISREG(st.st_mode) && st.st_size >= 0 && static_cast<size_t>(st.st_size) < size)
        size = std::max<size_t>(static_cast<size_t>(st.st_size) + 1, 1 << 10);
    buf_.resize(size);
    pos_ = len_ = 0;
    eof_ = failed_ = false;
    return true;
}

void TextReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pos_ = len_ = 0;
    eof_ = false;
}

bool TextReader::fill() {
    if (eof_ || failed_ || fd_ < 0) return false;
    pos_ = len_ = 0;
    for (;;) {
        ssize_t n = ::read(fd_, buf_.data(), buf_.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failed_ = true;
            return false;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        len_ = static_cast<size_t>(n);
        return true;
    }
}

bool TextReader::rewind() {
    if (fd_ < 0) return false;
    if (lseek(fd_, 0, SEEK_SET) != 0) return false;
    pos_ = len_ = 0;
    eof_ = failed_ = false;
    return true;
}

std::FILE* create_output_stream(const std::string& host_path) { return std::fopen(host_path.c_str(), "wb"); }

}  // namespace platform
