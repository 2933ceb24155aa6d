#include "machine/ti99/key_map.hpp"

#include <cctype>
#include <string_view>

namespace scree {

namespace {

// The unshifted character of each matrix position, column by column, rows
// 0 to 7; 0 where the position has no character key.
constexpr std::string_view kMatrix[6] = {
    std::string_view("= \0\0\0\0\0\0", 8),  // = SPACE ENTER - FCTN SHIFT CTRL -
    ".lo92swx", ",ki83dec", "mju74frv", "nhy65gtb", "/;p01aqz",
};

// Characters typed with a modifier, and the unshifted key they are typed on.
struct Combination {
    char typed;
    char key;
    uint8_t modifiers;
};
constexpr Combination kCombinations[] = {
    {'!', '1', kModShift}, {'@', '2', kModShift}, {'#', '3', kModShift}, {'$', '4', kModShift},
    {'%', '5', kModShift}, {'^', '6', kModShift}, {'&', '7', kModShift}, {'*', '8', kModShift},
    {'(', '9', kModShift}, {')', '0', kModShift}, {'+', '=', kModShift}, {'>', '.', kModShift},
    {'<', ',', kModShift}, {':', ';', kModShift}, {'-', '/', kModShift}, {'|', 'a', kModFctn},
    {'`', 'c', kModFctn},  {'{', 'f', kModFctn},  {'}', 'g', kModFctn},  {'?', 'i', kModFctn},
    {'\'', 'o', kModFctn}, {'"', 'p', kModFctn},  {'[', 'r', kModFctn},  {']', 't', kModFctn},
    {'_', 'u', kModFctn},  {'~', 'w', kModFctn},  {'\\', 'z', kModFctn},
};

// Named keys: the character of their matrix key and the modifiers.
struct NamedKey {
    std::string_view name;
    char key;
    uint8_t modifiers;
};
constexpr NamedKey kNamedKeys[] = {
    {"ENTER", '\r', 0},      {"SPACE", ' ', 0},       {"UP", 'e', kModFctn},    {"DOWN", 'x', kModFctn},
    {"LEFT", 's', kModFctn},  {"RIGHT", 'd', kModFctn}, {"DEL", '1', kModFctn},  {"INS", '2', kModFctn},
    {"ERASE", '3', kModFctn}, {"CLEAR", '4', kModFctn}, {"BEGIN", '5', kModFctn}, {"PROCD", '6', kModFctn},
    {"AID", '7', kModFctn},   {"REDO", '8', kModFctn},  {"BACK", '9', kModFctn},  {"QUIT", '=', kModFctn},
};

struct JoystickLine {
    std::string_view name;
    uint8_t row;
};
constexpr JoystickLine kJoystickLines[] = {
    {"UP", kJoyUp}, {"DOWN", kJoyDown}, {"LEFT", kJoyLeft}, {"RIGHT", kJoyRight}, {"FIRE", kJoyFire},
};

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

std::optional<MatrixKey> matrix_key(char c) {
    if (c == '\0') return std::nullopt;
    for (uint8_t column = 0; column < 6; ++column) {
        const size_t row = kMatrix[column].find(c);
        if (row != std::string_view::npos) return MatrixKey{column, static_cast<uint8_t>(row)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<KeyStroke> key_for_char(char c) {
    if (c == '\n' || c == '\r') return KeyStroke{keys::kEnter, 0};
    if (c >= 'A' && c <= 'Z') {
        const auto k = matrix_key(static_cast<char>(c - 'A' + 'a'));
        return KeyStroke{*k, kModShift};
    }
    for (const Combination& combo : kCombinations)
        if (combo.typed == c) return KeyStroke{*matrix_key(combo.key), combo.modifiers};
    if (const auto k = matrix_key(c)) return KeyStroke{*k, 0};
    return std::nullopt;
}

std::optional<KeyStroke> key_for_name(std::string_view name) {
    for (const NamedKey& k : kNamedKeys) {
        if (!same_name(name, k.name)) continue;
        if (k.key == '\r') return KeyStroke{keys::kEnter, 0};
        return KeyStroke{*matrix_key(k.key), k.modifiers};
    }
    return std::nullopt;
}

std::string key_names() {
    std::string out;
    for (const NamedKey& k : kNamedKeys) out += (out.empty() ? "" : " ") + std::string(k.name);
    return out;
}

std::optional<MatrixKey> joystick_line(unsigned stick, std::string_view name) {
    if (stick < 1 || stick > 2) return std::nullopt;
    for (const JoystickLine& line : kJoystickLines)
        if (same_name(name, line.name)) return MatrixKey{static_cast<uint8_t>(kJoystickColumn + stick - 1), line.row};
    return std::nullopt;
}

}  // namespace scree
