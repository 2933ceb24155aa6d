#include "paths.hpp"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "shared.hpp"

namespace platform {
namespace {

bool entry_exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// Name of the entry in dir that equals name ignoring case; empty if none.
std::string find_ignoring_case(const std::string& dir, const std::string& name) {
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string best;
    while (const dirent* e = readdir(d)) {
        std::string_view entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        // Deterministic choice when several entries differ only in case.
        if (equals_ignore_case(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    closedir(d);
    return best;
}

// When the folder of the last name exists as written, only that name needs
// matching: one look-up instead of one for every folder on the way. Paths
// that the walk below would tidy (doubled or trailing separators, a last
// name of "." or "..") are left to it.
std::optional<std::string> resolve_in_parent(const std::string& host) {
    size_t slash = host.rfind('/');
    if (slash == std::string::npos || slash == 0 || host.find("//") != std::string::npos) return std::nullopt;
    std::string_view name = std::string_view(host).substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    std::string dir = host.substr(0, slash);
    if (!entry_exists(dir)) return std::nullopt;
    std::string match = find_ignoring_case(dir, std::string(name));
    return dir + "/" + (match.empty() ? std::string(name) : match);
}

}  // namespace

std::string to_host_path(std::string_view path) {
    std::string out;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        std::string root;
        if (const std::string* set = drive_root_override(letter)) {
            root = *set;
        } else {
            std::string var = "TMS_DRIVE_";
            var += letter;
            const char* env = std::getenv(var.c_str());
            root = env && *env ? env : "/";
        }
        path.remove_prefix(2);
        out = root;
        if (out.empty() || out.back() != '/') out += '/';
        while (!path.empty() && is_separator(path.front())) path.remove_prefix(1);
    }
    for (char c : path) out += (c == '\\') ? '/' : c;
    return out;
}

std::string resolve_path(std::string_view path) {
    std::string host = to_host_path(path);
    if (host.empty() || entry_exists(host)) return host;
    if (std::optional<std::string> found = resolve_in_parent(host)) return *found;

    std::string result;
    size_t pos = 0;
    if (host[0] == '/') {
        result = "/";
        pos = 1;
    }
    bool missing = false;  // once a component is missing, the rest cannot exist
    while (pos <= host.size()) {
        size_t end = host.find('/', pos);
        if (end == std::string::npos) end = host.size();
        std::string component = host.substr(pos, end - pos);
        bool last = end == host.size();
        if (!component.empty()) {
            std::string candidate = result + component;
            if (!missing && component != "." && component != ".." && !entry_exists(candidate)) {
                std::string match = find_ignoring_case(result, component);
                if (!match.empty())
                    candidate = result + match;
                else
                    missing = true;
            }
            result = candidate;
        }
        if (!last) {
            if (result.empty() || result.back() != '/') result += '/';
        }
        pos = end + 1;
    }
    return result;
}

std::string program_path() {
    if (!program_path_override().empty()) return program_path_override();
    std::vector<char> buf(4096);
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string current_directory() {
    std::vector<char> buf(4096);
    while (!getcwd(buf.data(), buf.size())) {
        if (buf.size() > (1u << 20)) return ".";
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

bool set_current_directory(std::string_view path) {
    return chdir(resolve_path(path).c_str()) == 0;
}

}  // namespace platform
