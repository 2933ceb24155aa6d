#include "environment.hpp"

#include <windows.h>

#include <vector>

namespace platform {

std::optional<std::string> get_environment(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
    std::string key(name);
    std::vector<char> buf(256);
    for (;;) {
        SetLastError(0);
        DWORD n = GetEnvironmentVariableA(key.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(n + 1);
    }
}

bool set_environment(std::string_view name, std::string_view value) {
    if (name.empty() || name.find_first_of(std::string_view("=\0", 2)) != std::string_view::npos) return false;
    std::string v(value.substr(0, value.find('\0')));
    return SetEnvironmentVariableA(std::string(name).c_str(), v.c_str()) != 0;
}

}  // namespace platform
