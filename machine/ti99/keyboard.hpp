// The keyboard matrix: eight columns of eight rows, a pressed key pulls its
// row low while its column is selected; joysticks are columns 6 and 7.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class Keyboard {
public:
    // Rows of a column as the 9901 reads them: bit n low when row n is pressed.
    uint8_t rows(unsigned column) const { return static_cast<uint8_t>(~pressed_[column & 7]); }
    bool alpha_lock_down() const { return alpha_lock_; }

    void press(unsigned column, unsigned row) { pressed_[column & 7] |= static_cast<uint8_t>(1u << (row & 7)); }
    void release(unsigned column, unsigned row) { pressed_[column & 7] &= static_cast<uint8_t>(~(1u << (row & 7))); }
    void release_all() { pressed_.fill(0); }
    void set_alpha_lock(bool down) { alpha_lock_ = down; }

private:
    std::array<uint8_t, 8> pressed_{};
    bool alpha_lock_ = false;
};

}  // namespace scree
