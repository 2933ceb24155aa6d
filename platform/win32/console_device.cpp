#include "console_device.hpp"

#include "support.hpp"

namespace platform {

ConsoleDevice::ConsoleDevice() : ConsoleDevice("CONOUT$") {}

ConsoleDevice::ConsoleDevice(const std::string& device) : stream_(nullptr) {
    HANDLE h = CreateFileA(device.c_str(), GENERIC_WRITE | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    int fd = h == INVALID_HANDLE_VALUE ? -1 : win32::adopt_handle(h);
    if (fd >= 0 && win32::is_disk_file(h)) {
        LARGE_INTEGER zero{};
        SetFilePointerEx(h, zero, nullptr, FILE_END);
    }
    opened_ = fd >= 0;
    buf_ = opened_ ? std::make_unique<FdStreamBuf>(fd, true) : std::make_unique<FdStreamBuf>(2, false);
    stream_.rdbuf(buf_.get());
}

}  // namespace platform
