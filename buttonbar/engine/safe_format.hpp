// Formatting with texts that come from files. Only the conversions listed
// are carried out; anything else is copied as plain text, so every format
// gives a defined output.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dok {

struct MessageArg {
    bool is_number = false;
    std::string text;
    int64_t number = 0;
    static MessageArg of(std::string_view t) { return {false, std::string(t), 0}; }
    static MessageArg of(int64_t n) { return {true, {}, n}; }
};

// Message texts: "%s" takes the next argument when it is a text, "%d" or
// "%u" the next when it is a number, "%%" is a percent sign.
std::string format_message(std::string_view format, const std::vector<MessageArg>& args);

// fmtval(: every '%' after the first becomes a blank; the one conversion may
// be d, i, u, x, X, o or c with flags, width, precision and an h or l size
// ('h' alone makes the value a short). The '0' flag pads characters and
// texts with zeros too. nullopt when the result would be longer than limit
// characters.
std::optional<std::string> format_number(std::string_view format, int32_t value, size_t limit);

// fmtstr(: likewise with one s conversion.
std::optional<std::string> format_string(std::string_view format, std::string_view value, size_t limit);

}  // namespace dok
