// TMS9901 on the CRU at bit address 0: interrupt inputs and masks (the VDP
// on INT2), the keyboard's column select on P2 to P4 and its rows on INT3 to
// INT10, alpha lock on P5.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class Keyboard;

class Tms9901 {
public:
    explicit Tms9901(const Keyboard& keyboard) : keyboard_(keyboard) {}

    bool read_bit(unsigned bit) const;
    void write_bit(unsigned bit, bool value);

    // The VDP's interrupt line (active high here).
    void set_vdp_interrupt(bool active) { vdp_interrupt_ = active; }
    // INTREQ to the CPU.
    bool interrupt_request() const { return vdp_interrupt_ && masks_[2]; }
    bool vdp_interrupt_enabled() const { return masks_[2]; }

    unsigned selected_column() const { return column_; }
    bool alpha_lock_selected() const { return !alpha_select_; }

private:
    const Keyboard& keyboard_;
    std::array<bool, 16> masks_{};
    bool clock_mode_ = false;
    bool vdp_interrupt_ = false;
    unsigned column_ = 0;
    bool alpha_select_ = true;
};

}  // namespace scree
