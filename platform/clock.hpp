// The machine's local time.
#pragma once

#include <ctime>

namespace platform {

// Calendar fields of t in the local time zone.
std::tm local_time(std::time_t t);

}  // namespace platform
