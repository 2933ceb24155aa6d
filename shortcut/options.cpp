#include "options.hpp"

#include <cstdint>

namespace pinmaker {

int parse_icon_offset(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only the low eight bits survive, so they are all that is kept.
    uint8_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = static_cast<uint8_t>(value * 10 + (text[i] - '0'));
    if (negative) value = static_cast<uint8_t>(-value);
    return static_cast<int8_t>(value);
}

Options parse_options(const std::vector<std::string>& words) {
    Options options;
    for (const std::string& word : words) {
        if (word.size() < 2 || word[0] != '-') continue;
        std::string value = word.substr(2);
        switch (word[1]) {
            case 'S': case 's': options.shortcut_name = value; break;
            case 'T': case 't': options.target = value; break;
            case 'A': case 'a': options.arguments = value; break;
            case 'W': case 'w': options.working_directory = value; break;
            case 'I': case 'i': options.icon_path = value; break;
            case 'N': case 'n': options.icon_offset = parse_icon_offset(value); break;
            case 'D': case 'd': options.description = value; break;
            case 'Q': case 'q': options.quiet = true; break;
            default: break;
        }
    }
    return options;
}

}  // namespace pinmaker
