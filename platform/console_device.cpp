#include "console_device.hpp"

#include "fd_io.hpp"


#include <cstring>

namespace platform {

FdStreamBuf::FdStreamBuf(int fd, bool owned) : fd_(fd), owned_(owned) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

FdStreamBuf::~FdStreamBuf() {
    flush_buffer();
    if (owned_ && fd_ >= 0) fd_close(fd_);
}

bool FdStreamBuf::flush_buffer() {
    size_t n = static_cast<size_t>(pptr() - pbase());
    setp(buffer_, buffer_ + sizeof buffer_);
    return n == 0 || write_all(fd_, std::string_view(buffer_, n));
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type ch) {
    if (!flush_buffer()) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

std::streamsize FdStreamBuf::xsputn(const char* s, std::streamsize n) {
    auto room = epptr() - pptr();
    if (n <= room) {
        std::memcpy(pptr(), s, static_cast<size_t>(n));
        pbump(static_cast<int>(n));
        return n;
    }
    if (!flush_buffer() || !write_all(fd_, std::string_view(s, static_cast<size_t>(n)))) return 0;
    return n;
}

int FdStreamBuf::sync() { return flush_buffer() ? 0 : -1; }

ConsoleDevice::~ConsoleDevice() {
    stream_.flush();
    stream_.rdbuf(nullptr);
}

}  // namespace platform
