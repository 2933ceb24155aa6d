#include "single_instance.hpp"

#include <cstdint>
#include <cstdio>

#include "shared.hpp"

namespace platform {

std::string instance_key_hash(std::string_view key) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

}  // namespace platform
