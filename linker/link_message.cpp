#include "link_message.hpp"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "link_state.hpp"
#include "platform/paths.hpp"

namespace fell {

void link_message(LinkState& s, const char* format, ...) {
    char buf[kMaxMessage + 1];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    if (n < 0) buf[0] = '\0';
    // The text ends at its first NUL, as a C string would.
    std::string_view text(buf);
    s.con.out << text;
    if (s.error_file.is_open()) s.error_file.write(text);
    if (s.error_count < INT32_MAX) ++s.error_count;
}

void print(LinkState& s, const char* format, ...) {
    char small[256];
    va_list ap;
    va_start(ap, format);
    va_list again;
    va_copy(again, ap);
    int n = std::vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n < 0) {
        va_end(again);
        return;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        s.con.out.write(small, n);
    } else {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        s.con.out.write(big.data(), n);
    }
    va_end(again);
}

void report_open_failure(LinkState& s, OpenFailure why) {
    if (why == OpenFailure::too_many_files) link_message(s, "Too many open files, ");
}

std::string resolve_file_name(const LinkState& s, std::string_view name) {
    if (name.size() >= 2 && name[0] == '.' && platform::is_separator(name[1]))
        return s.linker_directory + std::string(name.substr(2));
    return std::string(name);
}

size_t read_token(std::string_view text, std::string& word) {
    size_t i = 0;
    while (i < text.size() && is_white(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !is_white(text[i])) ++i;
    word.assign(text.substr(start, i - start));
    return word.empty() ? 0 : i;
}

std::string name_part(std::string_view file_name) { return platform::split_path(file_name).name; }

std::string record_name(std::string_view name) { return std::string(name.substr(0, kMaxRecordName)); }

}  // namespace fell
