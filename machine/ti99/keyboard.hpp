// The keyboard matrix: eight columns of eight rows, a pressed key pulls its
// row low while its column is selected. Columns 0 to 5 are the keys (column
// 0 holds = SPACE ENTER FCTN SHIFT CTRL), 6 and 7 the joysticks; alpha lock
// has its own line, read on row 4 while the 9901's P5 is low.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

struct MatrixKey {
    uint8_t column;
    uint8_t row;
};

namespace keys {
constexpr MatrixKey kEquals{0, 0}, kSpace{0, 1}, kEnter{0, 2}, kFctn{0, 4}, kShift{0, 5}, kCtrl{0, 6};
}  // namespace keys

// Joystick 1 is column 6, joystick 2 column 7; their lines are rows 0 to 4.
constexpr uint8_t kJoystickColumn = 6;
enum JoystickRow : uint8_t { kJoyFire = 0, kJoyLeft = 1, kJoyRight = 2, kJoyDown = 3, kJoyUp = 4 };

class Keyboard {
public:
    // Rows of a column as the 9901 reads them: bit n low when row n is pressed.
    uint8_t rows(unsigned column) const { return static_cast<uint8_t>(~pressed_[column & 7]); }
    bool alpha_lock_down() const { return alpha_lock_; }
    bool is_down(MatrixKey k) const { return (pressed_[k.column & 7] >> (k.row & 7)) & 1; }

    void press(unsigned column, unsigned row) { pressed_[column & 7] |= static_cast<uint8_t>(1u << (row & 7)); }
    void release(unsigned column, unsigned row) { pressed_[column & 7] &= static_cast<uint8_t>(~(1u << (row & 7))); }
    void press(MatrixKey k) { press(k.column, k.row); }
    void release(MatrixKey k) { release(k.column, k.row); }
    void release_all() { pressed_.fill(0); }
    void set_alpha_lock(bool down) { alpha_lock_ = down; }

private:
    std::array<uint8_t, 8> pressed_{};
    bool alpha_lock_ = false;
};

}  // namespace scree
