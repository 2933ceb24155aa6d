// The program's own reader of single INI values, and the small parsers of
// layout values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dok {

// Value of key in section: the section header is "[name]" at the start of a
// line (name compared ignoring case); after it, the first line that begins
// with key (ignoring case, over the key's length) answers, even beyond the
// next header. The value follows the first '=' after its blanks; a matching
// line without '=' gives an empty value. Lines are read as 511-character
// pieces. At most size - 1 characters; the default when nothing matches or
// the file cannot be read.
std::string read_ini_value(std::string_view section, std::string_view key, std::string_view def, size_t size,
                           std::string_view file);

// The whole file as read_ini_value reads it (CR LF as '\n'); empty when it
// cannot be read. For many reads of a file that does not change meanwhile.
std::string read_ini_text(std::string_view file);

// The lines (511-character pieces) of a text from read_ini_text after its
// [section] header that begin with prefix, in order: all that a read of a key
// beginning with prefix looks at.
std::vector<std::string_view> ini_lines(std::string_view text, std::string_view section, std::string_view prefix);

// The lines among lines from ini_lines that begin with prefix.
std::vector<std::string_view> ini_lines(const std::vector<std::string_view>& lines, std::string_view prefix);

// read_ini_value over lines from ini_lines.
std::string ini_value_among(const std::vector<std::string_view>& lines, std::string_view key, std::string_view def,
                            size_t size);

// read_ini_value over a text from read_ini_text.
std::string ini_value_in(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view def, size_t size);

// A cursor over a layout value.
struct LayoutCursor {
    std::string_view text;
    size_t pos = 0;
    bool at_end() const { return pos >= text.size(); }
};

// Text between the next "[" and "]"; empty when no "[" follows (the rest is
// consumed). nullopt only when nothing remains.
std::optional<std::string> parse_bracket(LayoutCursor& c);

// Next run of decimal digits after skipping anything else; nullopt when no
// digit remains.
std::optional<uint32_t> parse_number(LayoutCursor& c);

// "true" (any case) is 1, "false" 0, else the leading integer.
int32_t parse_bool(std::string_view text);

// C atoi: blanks, a sign, digits; saturates at the 32-bit limits.
int32_t atoi32(std::string_view text);

// Leading decimal digits (after blanks) as an unsigned number, wrapping.
uint32_t leading_unsigned(std::string_view text);

}  // namespace dok
