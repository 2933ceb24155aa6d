#include "engine.hpp"

#include <ctime>

#include "platform/clock.hpp"
#include "platform/paths.hpp"

namespace dok {

std::string Dok::file_path(std::string_view name) const {
    if (opt.sandbox.empty()) return std::string(name);
    std::string root = opt.sandbox;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    std::string host = platform::to_host_path(name);
    std::string_view rest = host;
    if (rest.size() > root.size() && rest.substr(0, root.size()) == root && rest[root.size()] == '/')
        rest.remove_prefix(root.size() + 1);
    std::string out = root;
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t end = rest.find('/', pos);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view part = rest.substr(pos, end - pos);
        if (!part.empty() && part != "." && part != "..") {
            out += '/';
            out += part;
        }
        pos = end + 1;
    }
    return out;
}

LocalTime Dok::now() const {
    if (opt.clock) return opt.clock();
    std::time_t t = std::time(nullptr);
    std::tm tm = platform::local_time(t);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

}  // namespace dok
