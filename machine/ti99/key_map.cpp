#include "machine/ti99/key_map.hpp"

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

constexpr MatrixKey kModifierKeys[] = {keys::kShift, keys::kFctn, keys::kCtrl};

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

void press_modifiers(Keyboard& keyboard, uint8_t modifiers) {
    for (unsigned i = 0; i < 3; ++i)
        if (modifiers & (1u << i)) keyboard.press(kModifierKeys[i]);
}

void release_modifiers(Keyboard& keyboard, uint8_t modifiers) {
    for (unsigned i = 0; i < 3; ++i)
        if (modifiers & (1u << i)) keyboard.release(kModifierKeys[i]);
}

}  // namespace scree
