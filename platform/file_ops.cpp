#include "file_ops.hpp"

#include "shared.hpp"

namespace platform {

bool has_wildcards(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

std::string with_crlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace platform
