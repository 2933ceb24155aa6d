#include "scanner.hpp"

namespace tarn {
namespace {

void skip_blanks(AssemblerState& st) {
    const char* s = st.work_line.data();
    const size_t n = st.work_line.size();
    size_t pos = st.scan_pos;
    while (pos < n && is_white(s[pos])) ++pos;
    st.scan_pos = pos;
}

// Takes the field [start, end) and moves past the white-space character
// that ends it.
std::string_view take_field(AssemblerState& st, size_t start, size_t end) {
    st.scan_pos = end < st.work_line.size() ? end + 1 : end;
    return std::string_view(st.work_line).substr(start, end - start);
}

// Takes the field from start up to the first white-space character outside
// quoted stretches (two quotes inside stand for one), upper-cased.
std::string_view take_token(AssemblerState& st, size_t start) {
    char* s = st.work_line.data();
    const size_t n = st.work_line.size();
    size_t pos = start;
    for (bool quoted = false; pos < n; ++pos) {
        const char c = s[pos];
        if (c == '\'') {
            if (quoted && pos + 1 < n && s[pos + 1] == '\'')
                ++pos;
            else
                quoted = !quoted;
        } else if (!quoted && is_white(c)) {
            break;
        } else if (char_is(c, kLowerBit)) {
            s[pos] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return take_field(st, start, pos);
}

Field scan_token(AssemblerState& st, bool star_is_comment) {
    skip_blanks(st);
    const std::string& s = st.work_line;
    if (st.scan_pos >= s.size()) return std::nullopt;
    if (star_is_comment && s[st.scan_pos] == '*') return std::nullopt;
    return take_token(st, st.scan_pos);
}

}  // namespace

void scan_start(AssemblerState& st) {
    st.work_line = st.source_line;
    st.scan_pos = 0;
    st.label_field.reset();
    st.mnemonic_field.reset();
    st.operand_field.reset();
}

Field scan_label(AssemblerState& st) {
    const std::string& s = st.work_line;
    st.scan_pos = 0;
    if (s.empty() || is_white(s[0])) return std::nullopt;
    st.label_field = take_token(st, 0);
    return st.label_field;
}

Field scan_mnemonic(AssemblerState& st) {
    st.mnemonic_field = scan_token(st, true);
    return st.mnemonic_field;
}

Field scan_operand(AssemblerState& st) {
    st.operand_field = scan_token(st, true);
    return st.operand_field;
}

Field scan_operand_any(AssemblerState& st) {
    st.operand_field = scan_token(st, false);
    return st.operand_field;
}

Field scan_quoted_operand(AssemblerState& st, char quote) {
    skip_blanks(st);
    const std::string& s = st.work_line;
    size_t start = st.scan_pos;
    if (start >= s.size()) {
        st.operand_field.reset();
        return std::nullopt;
    }
    size_t pos = s.find(quote, start);
    size_t end = s.size();
    if (pos != std::string::npos) {
        // Find the closing quote; a doubled quote that is not the line's last
        // character stands for one.
        ++pos;
        while (pos < s.size()) {
            if (s[pos] == quote) {
                if (pos + 1 < s.size() && s[pos + 1] == quote && pos + 2 < s.size()) {
                    pos += 2;
                    continue;
                }
                break;
            }
            ++pos;
        }
        if (pos < s.size()) {
            size_t blank = s.find(' ', pos + 1);
            end = blank == std::string::npos ? s.size() : blank;
        }
    }
    st.operand_field = take_field(st, start, end);
    return st.operand_field;
}

void scan_comment(AssemblerState& st) { skip_blanks(st); }

int parse_quoted(const Field& text, char quote, size_t size, std::string& out) {
    out.clear();
    if (!text || text->empty() || (*text)[0] != quote) return kSyntaxError;
    std::string_view t = *text;
    const size_t limit = size - 1;
    size_t pos = 1;
    while (pos < t.size()) {
        char c = t[pos];
        if (c == quote) {
            if (pos + 1 < t.size() && t[pos + 1] == quote) {
                ++pos;
            } else {
                return 0;
            }
        }
        if (out.size() == limit) return kOutOfRange;
        out += c;
        ++pos;
    }
    return kSyntaxError;
}

void split_items(std::string_view text, std::vector<std::string_view>& items) {
    items.clear();
    size_t start = 0;
    bool quoted = false;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        char c = text[pos];
        if (quoted) {
            if (c == '\'') {
                if (pos + 1 < text.size() && text[pos + 1] == '\'')
                    ++pos;
                else
                    quoted = false;
            }
        } else if (c == '\'') {
            quoted = true;
        } else if (c == ',') {
            items.push_back(text.substr(start, pos - start));
            start = pos + 1;
        }
    }
    items.push_back(text.substr(start));
}

}  // namespace tarn
