#include "safe_format.hpp"

#include <cstdio>
#include <cstring>

namespace dok {
namespace {

struct Conversion {
    size_t end = 0;          // index after the conversion character
    std::string flags;
    size_t width = 0;
    bool has_precision = false;
    size_t precision = 0;
    bool is_short = false;   // 'h' without 'l'
    char type = 0;
    bool complete = false;
    bool too_wide = false;
};

// Parses a conversion that starts at format[pos] == '%'.
Conversion parse_conversion(std::string_view f, size_t pos, size_t limit) {
    Conversion c;
    size_t i = pos + 1;
    while (i < f.size() && std::strchr("-+ #0", f[i]) && f[i] != '\0') c.flags += f[i++];
    auto number = [&](size_t& out) {
        while (i < f.size() && f[i] >= '0' && f[i] <= '9') {
            if (out <= limit) out = out * 10 + static_cast<size_t>(f[i] - '0');
            ++i;
        }
    };
    number(c.width);
    if (i < f.size() && f[i] == '.') {
        ++i;
        c.has_precision = true;
        number(c.precision);
    }
    bool h = false, l = false;
    for (; i < f.size() && (f[i] == 'h' || f[i] == 'l'); ++i) (f[i] == 'h' ? h : l) = true;
    c.is_short = h && !l;
    if (i < f.size()) {
        c.type = f[i++];
        c.complete = true;
    }
    c.end = i;
    c.too_wide = c.width > limit || c.precision > limit;
    return c;
}

// Texts and characters are padded with zeros too under the '0' flag; the
// host's printf does not do that, so the padding is added afterwards.
bool pads_text_with_zeros(const Conversion& c) {
    return (c.type == 's' || c.type == 'c') && c.flags.find('0') != std::string::npos &&
           c.flags.find('-') == std::string::npos;
}

std::string format_of(const Conversion& c) {
    std::string s(1, '%');
    s += c.flags;
    if (c.width && !pads_text_with_zeros(c)) s += std::to_string(c.width);
    if (c.has_precision) {
        s += '.';
        s += std::to_string(c.precision);
    }
    s += c.type;
    return s;
}

// Shared driver: plain text is copied, "%%" is one '%', the first matching
// conversion is filled by fill(); others are copied as they stand.
template <typename Fill>
std::optional<std::string> format_one(std::string_view format, std::string_view types, size_t limit, Fill fill) {
    std::string out;
    bool used = false;
    size_t i = 0;
    while (i < format.size()) {
        char ch = format[i];
        if (ch != '%') {
            out += ch;
            ++i;
        } else if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
        } else {
            Conversion c = parse_conversion(format, i, limit);
            bool fits = c.complete && !used && types.find(c.type) != std::string_view::npos;
            if (fits) {
                if (c.too_wide) return std::nullopt;
                // The width and precision are bounded by limit, so this fits.
                std::vector<char> buf(2 * limit + 64);
                int n = fill(buf.data(), buf.size(), format_of(c), c);
                if (n < 0) return std::nullopt;
                size_t len = std::min(static_cast<size_t>(n), buf.size() - 1);
                if (pads_text_with_zeros(c) && len < c.width) out.append(c.width - len, '0');
                out.append(buf.data(), len);
                used = true;
            } else {
                out.append(format.substr(i, c.end - i));
            }
            i = c.end;
        }
        if (out.size() > limit) return std::nullopt;
    }
    return out;
}

}  // namespace

std::string format_message(std::string_view format, const std::vector<MessageArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char ch = format[i];
        if (ch != '%' || i + 1 >= format.size()) {
            out += ch;
            continue;
        }
        char t = format[i + 1];
        if (t == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool want_text = t == 's', want_number = t == 'd' || t == 'u';
        if (next < args.size() && ((want_text && !args[next].is_number) || (want_number && args[next].is_number))) {
            const MessageArg& a = args[next++];
            if (want_text) {
                out += a.text;
            } else if (t == 'u') {
                out += std::to_string(static_cast<uint32_t>(a.number));
            } else {
                out += std::to_string(a.number);
            }
            ++i;
        } else {
            out += ch;  // copied as plain text; the next character follows as such
        }
    }
    return out;
}

std::optional<std::string> format_number(std::string_view format, int32_t value, size_t limit) {
    std::string f(format);
    size_t first = f.find('%');
    if (first != std::string::npos)
        for (size_t i = first + 1; i < f.size(); ++i)
            if (f[i] == '%') f[i] = ' ';
    return format_one(f, "diuxXoc", limit, [&](char* buf, size_t size, const std::string& pattern, const Conversion& c) {
        const char* sp = pattern.c_str();
        if (c.type == 'c') return std::snprintf(buf, size, sp, static_cast<int>(static_cast<unsigned char>(value)));
        if (c.type == 'd' || c.type == 'i')
            return std::snprintf(buf, size, sp, c.is_short ? static_cast<int16_t>(value) : static_cast<int>(value));
        uint32_t u = static_cast<uint32_t>(value);
        return std::snprintf(buf, size, sp, static_cast<unsigned>(c.is_short ? static_cast<uint16_t>(u) : u));
    });
}

std::optional<std::string> format_string(std::string_view format, std::string_view value, size_t limit) {
    std::string f(format);
    size_t first = f.find('%');
    if (first != std::string::npos)
        for (size_t i = first + 1; i < f.size(); ++i)
            if (f[i] == '%') f[i] = ' ';
    std::string v(value.substr(0, value.find('\0')));
    return format_one(f, "s", limit, [&](char* buf, size_t size, const std::string& pattern, const Conversion&) {
        return std::snprintf(buf, size, pattern.c_str(), v.c_str());
    });
}

}  // namespace dok
