// Value functions on strings and numbers.
#include <cstdio>

#include "ini_reader.hpp"
#include "safe_format.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok::words {
namespace {

std::string unsigned_text(uint32_t v) { return std::to_string(v); }

bool in_set(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

template <typename Op>
bool arithmetic(Dok& dok, Scan& s, Output& out, Op op) {
    std::string a;
    uint32_t n = 0;
    if (!value_args(dok, s, a, n)) return false;
    return append_result(dok, out, unsigned_text(op(atoi32(a), static_cast<int32_t>(n))));
}

// hex( and oct(: atoi of the text in a printf format.
bool radix_word(Dok& dok, Scan& s, Output& out, const char* format) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    char buf[16];
    std::snprintf(buf, sizeof buf, format, static_cast<unsigned>(atoi32(a)));
    return append_result(dok, out, buf);
}

}  // namespace

bool w_seg(Dok& dok, Scan& s, Output& out) {
    std::string text;
    uint32_t start = 0, length = 0;
    if (!text_argument(dok, s, text) || !number_argument(dok, s, start) || !number_argument(dok, s, length) ||
        !close_value(dok, s))
        return false;
    if (start == 0 || length == 0 || start > text.size()) return true;
    return append_result(dok, out, std::string_view(text).substr(start - 1, length));
}

bool w_strstr(Dok& dok, Scan& s, Output& out) {
    std::string text, search;
    if (!value_args(dok, s, text, search)) return false;
    size_t at = text.find(search);
    return append_result(dok, out, at == std::string::npos ? "0" : std::to_string(at + 1));
}

bool w_strtok(Dok& dok, Scan& s, Output& out) {
    std::string text, delims;
    if (!value_args(dok, s, text, delims)) return false;
    if (!text.empty()) {
        dok.tokenizer_text = text.substr(0, 255);
        dok.tokenizer_pos = 0;
    }
    const std::string& t = dok.tokenizer_text;
    size_t p = std::min(dok.tokenizer_pos, t.size());
    while (p < t.size() && in_set(t[p], delims)) ++p;
    size_t e = p;
    while (e < t.size() && !in_set(t[e], delims)) ++e;
    std::string token = t.substr(p, e - p);
    dok.tokenizer_pos = e < t.size() ? e + 1 : e;
    return append_result(dok, out, token);
}

bool w_len(Dok& dok, Scan& s, Output& out) {
    std::string a;
    return value_args(dok, s, a) && append_result(dok, out, std::to_string(a.size()));
}

bool w_hex(Dok& dok, Scan& s, Output& out) { return radix_word(dok, s, out, "%x"); }
bool w_oct(Dok& dok, Scan& s, Output& out) { return radix_word(dok, s, out, "%o"); }

bool w_bin(Dok& dok, Scan& s, Output& out) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    uint32_t v = static_cast<uint32_t>(atoi32(a));
    std::string bits;
    for (int b = 31; b >= 0; --b)
        if (!bits.empty() || (v >> b) & 1) bits += ((v >> b) & 1) ? '1' : '0';
    return append_result(dok, out, bits.empty() ? "0" : bits);
}

bool w_char(Dok& dok, Scan& s, Output& out) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    // A NUL character ends the text, as in a C string.
    char c = static_cast<char>(atoi32(a));
    return append_result(dok, out, c == '\0' ? std::string() : std::string(1, c));
}

bool w_val(Dok& dok, Scan& s, Output& out) {
    std::string a;
    return value_args(dok, s, a) && append_result(dok, out, unsigned_text(static_cast<uint32_t>(atoi32(a))));
}

bool w_sub(Dok& dok, Scan& s, Output& out) {
    return arithmetic(dok, s, out, [](int32_t a, int32_t n) { return static_cast<uint32_t>(a) - static_cast<uint32_t>(n); });
}

bool w_add(Dok& dok, Scan& s, Output& out) {
    return arithmetic(dok, s, out, [](int32_t a, int32_t n) { return static_cast<uint32_t>(a) + static_cast<uint32_t>(n); });
}

bool w_mpy(Dok& dok, Scan& s, Output& out) {
    return arithmetic(dok, s, out, [](int32_t a, int32_t n) { return static_cast<uint32_t>(a) * static_cast<uint32_t>(n); });
}

bool w_div(Dok& dok, Scan& s, Output& out) {
    return arithmetic(dok, s, out, [](int32_t a, int32_t n) {
        return n == 0 ? 0u : static_cast<uint32_t>(static_cast<int64_t>(a) / n);
    });
}

bool w_mod(Dok& dok, Scan& s, Output& out) {
    return arithmetic(dok, s, out, [](int32_t a, int32_t n) {
        return n == 0 ? 0u : static_cast<uint32_t>(static_cast<int64_t>(a) % n);
    });
}

bool w_fmtval(Dok& dok, Scan& s, Output& out) {
    std::string format, value;
    if (!value_args(dok, s, format, value)) return false;
    auto r = format_number(format, atoi32(value), kArgSize);
    if (!r) {
        report_error(dok, kErrTooLong);
        return false;
    }
    return append_result(dok, out, std::string_view(*r).substr(0, r->find('\0')));
}

bool w_fmtstr(Dok& dok, Scan& s, Output& out) {
    std::string format, value;
    if (!value_args(dok, s, format, value)) return false;
    auto r = format_string(format, value, kArgSize);
    if (!r) {
        report_error(dok, kErrTooLong);
        return false;
    }
    return append_result(dok, out, *r);
}

bool w_toupper(Dok& dok, Scan& s, Output& out) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    for (char& c : a)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return append_result(dok, out, a);
}

bool w_tolower(Dok& dok, Scan& s, Output& out) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    for (char& c : a)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return append_result(dok, out, a);
}

bool w_stripnl(Dok& dok, Scan& s, Output& out) {
    std::string a;
    if (!value_args(dok, s, a)) return false;
    return append_result(dok, out, std::string_view(a).substr(0, a.find_first_of("\r\n")));
}

bool w_word(Dok& dok, Scan& s, Output& out) {
    std::string text;
    uint32_t n = 0;
    if (!value_args(dok, s, text, n)) return false;
    if (n == 0) n = 1;
    size_t i = 0;
    for (uint32_t k = 1;; ++k) {
        while (i < text.size() && is_blank_or_control(text[i])) ++i;
        if (i >= text.size()) return true;
        size_t e = i;
        while (e < text.size() && !is_blank_or_control(text[e])) ++e;
        if (k == n) return append_result(dok, out, std::string_view(text).substr(i, e - i));
        i = e;
    }
}

}  // namespace dok::words
