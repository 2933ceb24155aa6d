// The options of the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinmaker {

// Most words on a command line, the program name included.
constexpr size_t kMaxWords = 20;

struct Options {
    std::optional<std::string> shortcut_name;      // -S
    std::optional<std::string> target;             // -T
    std::optional<std::string> arguments;          // -A
    std::optional<std::string> working_directory;  // -W
    std::optional<std::string> icon_path;          // -I
    int icon_offset = 0;                           // -N, -128 to 127
    std::optional<std::string> description;        // -D
    bool quiet = false;                            // -Q
};

// Options from the words after the program name. The value follows the
// letter directly; a later option replaces an earlier one; words without a
// leading '-' and unknown letters are ignored.
Options parse_options(const std::vector<std::string>& words);

// A decimal integer (leading blanks and a sign allowed, reading stops at the
// first other character) kept as a signed 8-bit value.
int parse_icon_offset(std::string_view text);

}  // namespace pinmaker
