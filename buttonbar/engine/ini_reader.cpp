#include "ini_reader.hpp"

#include "platform/paths.hpp"
#include "platform/text_file.hpp"

namespace dok {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string cut(std::string_view s, size_t size) { return size == 0 ? std::string() : std::string(s.substr(0, size - 1)); }

constexpr size_t kPieceSize = 512;  // a line is read as pieces of kPieceSize - 1 characters

// Whether a line (without its '\n') is the header of section.
bool is_header(std::string_view l, std::string_view section) {
    return l.size() >= section.size() + 2 && l[0] == '[' &&
           platform::equals_ignore_case(l.substr(1, section.size()), section) && l[section.size() + 1] == ']';
}

// The value of a line that begins with the key.
std::string value_of(std::string_view l, size_t size) {
    size_t eq = l.find('=');
    if (eq == std::string_view::npos) return {};
    size_t v = eq + 1;
    while (v < l.size() && (l[v] == ' ' || l[v] == '\t')) ++v;
    return cut(l.substr(v), size);
}

std::string_view without_lf(std::string_view l) { return !l.empty() && l.back() == '\n' ? l.substr(0, l.size() - 1) : l; }

// Calls each with the lines after the section header until it returns true.
template <typename NextPiece, typename Each>
void lines_after_header(NextPiece next_piece, std::string_view section, Each each) {
    std::string_view l;
    bool in_section = false;
    while (next_piece(l)) {
        l = without_lf(l);
        if (!in_section) {
            in_section = is_header(l, section);
        } else if (each(l)) {
            return;
        }
    }
}

// The pieces of a text from read_ini_text, one by one.
struct TextPieces {
    std::string_view text;
    size_t pos = 0;
    bool operator()(std::string_view& piece) {
        if (pos >= text.size()) return false;
        piece = text.substr(pos, kPieceSize - 1);
        size_t lf = piece.find('\n');
        if (lf != std::string_view::npos) piece = piece.substr(0, lf + 1);
        pos += piece.size();
        return true;
    }
};

}  // namespace

std::string read_ini_value(std::string_view section, std::string_view key, std::string_view def, size_t size,
                           std::string_view file) {
    platform::TextReader reader;
    if (file.empty() || !reader.open(file)) return cut(def, size);
    std::string line;
    auto next_piece = [&](std::string_view& piece) {
        if (!reader.read_line(line, kPieceSize)) return false;
        piece = line;
        return true;
    };
    std::optional<std::string> value;
    lines_after_header(next_piece, section, [&](std::string_view l) {
        if (platform::starts_with_ignore_case(l, key)) value = value_of(l, size);
        return value.has_value();
    });
    return value ? *value : cut(def, size);
}

std::string read_ini_text(std::string_view file) {
    platform::TextReader reader;
    std::string text, piece;
    if (file.empty() || !reader.open(file)) return text;
    while (reader.read_line(piece, 1 << 16)) text += piece;
    return text;
}

std::vector<std::string_view> ini_lines(std::string_view text, std::string_view section, std::string_view prefix) {
    std::vector<std::string_view> lines;
    lines_after_header(TextPieces{text}, section, [&](std::string_view l) {
        if (platform::starts_with_ignore_case(l, prefix)) lines.push_back(l);
        return false;
    });
    return lines;
}

std::vector<std::string_view> ini_lines(const std::vector<std::string_view>& lines, std::string_view prefix) {
    std::vector<std::string_view> out;
    for (std::string_view l : lines)
        if (platform::starts_with_ignore_case(l, prefix)) out.push_back(l);
    return out;
}

std::string ini_value_among(const std::vector<std::string_view>& lines, std::string_view key, std::string_view def,
                            size_t size) {
    for (std::string_view l : lines)
        if (platform::starts_with_ignore_case(l, key)) return value_of(l, size);
    return cut(def, size);
}

std::string ini_value_in(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view def, size_t size) {
    return ini_value_among(ini_lines(text, section, key), key, def, size);
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
