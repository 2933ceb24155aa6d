// Small appenders for the fixed-width fields of the object and list files.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// "%04u": at least four digits, zero-filled; wider numbers keep every digit.
inline void put_dec4(std::string& out, unsigned value) {
    char buf[12];
    int n = sizeof buf;
    do {
        buf[--n] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > static_cast<int>(sizeof buf) - 4) buf[--n] = '0';
    out.append(buf + n, sizeof buf - static_cast<size_t>(n));
}

// "%0<digits>X" of the low 4*digits bits, for up to 8 digits.
inline void put_hex(std::string& out, unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    char buf[8];
    for (int i = digits - 1; i >= 0; --i, value >>= 4) buf[i] = kHex[value & 0xF];
    out.append(buf, static_cast<size_t>(digits));
}

inline void put_hex4(std::string& out, unsigned value) { put_hex(out, value & 0xFFFF, 4); }
inline void put_hex2(std::string& out, unsigned value) { put_hex(out, value & 0xFF, 2); }

// "%-W.Ws": cut or blank-padded to width characters.
inline void put_padded(std::string& out, std::string_view text, size_t width) {
    if (text.size() > width) text = text.substr(0, width);
    out += text;
    out.append(width - text.size(), ' ');
}

// "%.Ns": at most n characters.
inline void put_cut(std::string& out, std::string_view text, size_t n) {
    out += text.substr(0, n < text.size() ? n : text.size());
}

}  // namespace tarn
