// Host characters as keys of the 99/4A keyboard: the matrix key and the
// modifiers held with it (letters unshifted give lower case, as KSCAN's
// modes 4 and 5 read them with alpha lock up).
#pragma once

#include <cstdint>
#include <optional>

#include "machine/ti99/keyboard.hpp"

namespace scree {

enum KeyModifier : uint8_t { kModShift = 1, kModFctn = 2, kModCtrl = 4 };

struct KeyStroke {
    MatrixKey key;
    uint8_t modifiers;  // KeyModifier bits
};

// '\n' and '\r' are ENTER. Characters the keyboard cannot type: nullopt.
std::optional<KeyStroke> key_for_char(char c);

// The matrix keys of the modifier bits, in the order they are pressed.
void press_modifiers(Keyboard& keyboard, uint8_t modifiers);
void release_modifiers(Keyboard& keyboard, uint8_t modifiers);

}  // namespace scree
