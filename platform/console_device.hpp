// The console device: texts that must reach the user even when standard
// output is redirected. It is the controlling terminal when the process has
// one (CONOUT$ on Windows), else standard error.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace platform {

// Output stream buffer over a file descriptor; a flush writes it through.
class FdStreamBuf : public std::streambuf {
public:
    FdStreamBuf(int fd, bool owned);
    ~FdStreamBuf() override;
    FdStreamBuf(const FdStreamBuf&) = delete;
    FdStreamBuf& operator=(const FdStreamBuf&) = delete;

    int fd() const { return fd_; }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool flush_buffer();

    int fd_;
    bool owned_;
    char buffer_[1024];
};

class ConsoleDevice {
public:
    // Opens /dev/tty (CONOUT$); without a console writes to standard error.
    ConsoleDevice();
    // Opens the given device or file for writing instead (tests); standard
    // error when it cannot be opened.
    explicit ConsoleDevice(const std::string& device);
    ~ConsoleDevice();
    ConsoleDevice(const ConsoleDevice&) = delete;
    ConsoleDevice& operator=(const ConsoleDevice&) = delete;

    std::ostream& stream() { return stream_; }
    // False when the device could not be opened and standard error is used.
    bool opened() const { return opened_; }

private:
    bool opened_ = false;
    std::unique_ptr<FdStreamBuf> buf_;
    std::ostream stream_;
};

}  // namespace platform
