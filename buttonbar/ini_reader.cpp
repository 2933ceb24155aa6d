#include "ini_reader.hpp"

#include "platform/paths.hpp"
#include "platform/text_file.hpp"

namespace dok {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string cut(std::string_view s, size_t size) { return size == 0 ? std::string() : std::string(s.substr(0, size - 1)); }

}  // namespace

std::string read_ini_value(std::string_view section, std::string_view key, std::string_view def, size_t size,
                           std::string_view file) {
    platform::TextReader reader;
    if (file.empty() || !reader.open(file)) return cut(def, size);
    std::string line;
    bool in_section = false;
    while (reader.read_line(line, 512)) {
        if (!line.empty() && line.back() == '\n') line.pop_back();
        std::string_view l = line;
        if (!in_section) {
            in_section = l.size() >= section.size() + 2 && l[0] == '[' &&
                         platform::equals_ignore_case(l.substr(1, section.size()), section) &&
                         l[section.size() + 1] == ']';
            continue;
        }
        if (!platform::starts_with_ignore_case(l, key)) continue;
        size_t eq = l.find('=');
        if (eq == std::string_view::npos) return {};
        size_t v = eq + 1;
        while (v < l.size() && (l[v] == ' ' || l[v] == '\t')) ++v;
        return cut(l.substr(v), size);
    }
    return cut(def, size);
}

std::optional<std::string> parse_bracket(LayoutCursor& c) {
    if (c.at_end()) return std::nullopt;
    size_t open = c.text.find('[', c.pos);
    if (open == std::string_view::npos) {
        c.pos = c.text.size();
        return std::string();
    }
    size_t close = c.text.find(']', open + 1);
    if (close == std::string_view::npos) {
        std::string t(c.text.substr(open + 1));
        c.pos = c.text.size();
        return t;
    }
    std::string t(c.text.substr(open + 1, close - open - 1));
    c.pos = close + 1;
    return t;
}

std::optional<uint32_t> parse_number(LayoutCursor& c) {
    while (!c.at_end() && !(c.text[c.pos] >= '0' && c.text[c.pos] <= '9')) ++c.pos;
    if (c.at_end()) return std::nullopt;
    uint32_t n = 0;
    while (!c.at_end() && c.text[c.pos] >= '0' && c.text[c.pos] <= '9')
        n = n * 10 + static_cast<uint32_t>(c.text[c.pos++] - '0');
    return n;
}

int32_t atoi32(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && is_space(t[i])) ++i;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    int64_t n = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        n = n * 10 + (t[i++] - '0');
        if (n > 2147483648LL) n = 2147483648LL;
    }
    if (neg) n = -n;
    if (n > INT32_MAX) n = INT32_MAX;
    return static_cast<int32_t>(n);
}

uint32_t leading_unsigned(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    uint32_t n = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') n = n * 10 + static_cast<uint32_t>(t[i++] - '0');
    return n;
}

int32_t parse_bool(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && is_space(text[i])) ++i;
    std::string_view t = text.substr(i);
    if (platform::starts_with_ignore_case(t, "true")) return 1;
    if (platform::starts_with_ignore_case(t, "false")) return 0;
    return atoi32(t);
}

}  // namespace dok
