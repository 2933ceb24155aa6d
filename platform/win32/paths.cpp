#include "paths.hpp"

#include <cctype>
#include <vector>

#include "shared.hpp"
#include "support.hpp"

namespace platform {
namespace {

// Windows accepts '/' everywhere; the host form uses it, as on Linux.
std::string with_slashes(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

}  // namespace

std::string to_host_path(std::string_view path) {
    std::string out;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        if (const std::string* root = drive_root_override(letter)) {
            path.remove_prefix(2);
            out = with_slashes(*root);
            if (out.empty() || out.back() != '/') out += '/';
            while (!path.empty() && is_separator(path.front())) path.remove_prefix(1);
        }
    }
    return out + with_slashes(path);
}

// The file system itself ignores case.
std::string resolve_path(std::string_view path) { return to_host_path(path); }

std::string program_path() {
    if (!program_path_override().empty()) return program_path_override();
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::string(buf.data(), n);
        if (buf.size() > (1u << 16)) return {};
        buf.resize(buf.size() * 2);
    }
}

std::string current_directory() {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    std::vector<char> buf(n + 1);
    if (n == 0 || GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data()) == 0) return ".";
    std::string dir = with_slashes(buf.data());
    if (dir.size() > 3 && dir.back() == '/') dir.pop_back();  // "C:/" keeps its separator
    return dir;
}

bool set_current_directory(std::string_view path) {
    return SetCurrentDirectoryA(resolve_path(path).c_str()) != 0;
}

}  // namespace platform
