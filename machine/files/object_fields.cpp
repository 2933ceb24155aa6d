#include "machine/files/object_fields.hpp"

namespace scree {

namespace {

constexpr size_t kCardSize = 80;
constexpr size_t kFirstLine = 254;

int hex_digit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::vector<std::string_view> split_lines(std::string_view file) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string_view::npos) end = file.size();
        std::string_view line = file.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> split_cards(std::string_view file) {
    std::vector<std::string_view> cards;
    size_t pos = 0;
    for (;;) {
        while (pos < file.size() && (file[pos] == '\r' || file[pos] == '\n')) ++pos;
        if (file.size() - pos < kCardSize) return cards;
        cards.push_back(file.substr(pos, kCardSize));
        pos += kCardSize;
    }
}

}  // namespace

std::vector<std::string_view> split_records(std::string_view file) {
    const bool text = file.substr(0, kFirstLine).find('\n') != std::string_view::npos &&
                      !(file.size() > 0 && file[0] == kCompressedHeaderTag);
    return text ? split_lines(file) : split_cards(file);
}

bool FieldCursor::byte(uint8_t& c, bool summed) {
    if (at_end()) return false;
    c = static_cast<uint8_t>(record_[pos_++]);
    if (summed) sum_ = static_cast<uint16_t>(sum_ + c);
    return true;
}

bool FieldCursor::value(uint16_t& v, bool summed) {
    uint8_t c;
    v = 0;
    if (compressed_) {
        for (int i = 0; i < 2; ++i) {
            if (!byte(c, summed)) return false;
            v = static_cast<uint16_t>(v << 8 | c);
        }
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (!byte(c, summed)) return false;
        const int d = hex_digit(c);
        if (d < 0) return false;
        v = static_cast<uint16_t>(v << 4 | d);
    }
    return true;
}

bool FieldCursor::name(size_t width, std::string& text) {
    text.clear();
    bool in_name = true;
    for (size_t i = 0; i < width; ++i) {
        uint8_t c;
        if (!byte(c)) return false;
        if (c <= ' ') in_name = false;
        if (in_name) text += static_cast<char>(c);
    }
    return true;
}

bool FieldCursor::skip(size_t count, bool summed) {
    uint8_t c;
    for (size_t i = 0; i < count; ++i)
        if (!byte(c, summed)) return false;
    return true;
}

}  // namespace scree
