#include "clock.hpp"

namespace platform {

std::tm local_time(std::time_t t) {
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}

}  // namespace platform
