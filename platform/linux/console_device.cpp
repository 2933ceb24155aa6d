#include "console_device.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

ConsoleDevice::ConsoleDevice() : ConsoleDevice("/dev/tty") {}

ConsoleDevice::ConsoleDevice(const std::string& device) : stream_(nullptr) {
    int fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_APPEND);
    opened_ = fd >= 0;
    buf_ = opened_ ? std::make_unique<FdStreamBuf>(fd, true) : std::make_unique<FdStreamBuf>(STDERR_FILENO, false);
    stream_.rdbuf(buf_.get());
}

}  // namespace platform
