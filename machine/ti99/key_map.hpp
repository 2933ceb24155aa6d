// Host characters as keys of the 99/4A keyboard: the matrix key and the
// modifiers held with it (letters unshifted give lower case, as KSCAN's
// modes 4 and 5 read them with alpha lock up).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine/ti99/keyboard.hpp"

namespace scree {

enum KeyModifier : uint8_t { kModShift = 1, kModFctn = 2, kModCtrl = 4 };

struct KeyStroke {
    MatrixKey key;
    uint8_t modifiers;  // KeyModifier bits
};

// '\n' and '\r' are ENTER. Characters the keyboard cannot type: nullopt.
std::optional<KeyStroke> key_for_char(char c);

// Keys by name, case ignored: ENTER, SPACE, the arrows UP DOWN LEFT RIGHT
// (FCTN E X S D) and the function keys DEL INS ERASE CLEAR BEGIN PROCD AID
// REDO BACK (FCTN 1 to 9) and QUIT (FCTN =).
std::optional<KeyStroke> key_for_name(std::string_view name);
// The names key_for_name knows, separated by blanks.
std::string key_names();

// A joystick line by name, case ignored: UP DOWN LEFT RIGHT FIRE; stick is
// 1 or 2.
std::optional<MatrixKey> joystick_line(unsigned stick, std::string_view name);

}  // namespace scree
