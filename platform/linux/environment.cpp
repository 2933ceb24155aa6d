#include "environment.hpp"

#include <cstdlib>

namespace platform {

std::optional<std::string> get_environment(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
    const char* v = std::getenv(std::string(name).c_str());
    if (!v) return std::nullopt;
    return std::string(v);
}

bool set_environment(std::string_view name, std::string_view value) {
    if (name.empty() || name.find_first_of(std::string_view("=\0", 2)) != std::string_view::npos) return false;
    std::string v(value.substr(0, value.find('\0')));
    return setenv(std::string(name).c_str(), v.c_str(), 1) == 0;
}

}  // namespace platform
