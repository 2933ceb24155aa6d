#include "clock.hpp"

namespace platform {

std::tm local_time(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

}  // namespace platform
