#include "machine/ti99/tms9901.hpp"

#include "machine/ti99/keyboard.hpp"

namespace scree {

// Inputs read low when active: INT2 is the VDP, INT3 to INT10 the rows of
// the selected column (INT7 is alpha lock while P5 is low).
bool Tms9901::read_bit(unsigned bit) const {
    bit &= 31;
    if (bit == 0) return clock_mode_;
    if (bit == 2) return !vdp_interrupt_;
    if (bit >= 3 && bit <= 10) {
        const unsigned row = bit - 3;
        bool high = (keyboard_.rows(column_) >> row) & 1;
        if (row == 4 && alpha_lock_selected() && keyboard_.alpha_lock_down()) high = false;
        return high;
    }
    return true;
}

void Tms9901::write_bit(unsigned bit, bool value) {
    bit &= 31;
    if (bit == 0) {
        clock_mode_ = value;
        return;
    }
    if (bit < 16) {
        if (!clock_mode_) masks_[bit] = value;
        return;
    }
    if (bit >= 18 && bit <= 20) {
        const unsigned mask = 1u << (bit - 18);
        column_ = value ? (column_ | mask) : (column_ & ~mask);
        return;
    }
    if (bit == 21) alpha_select_ = value;
}

}  // namespace scree
