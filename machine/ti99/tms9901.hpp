// TMS9901 on the CRU at bit address 0 (mirrored every 32 bits below the
// cards at >1000): interrupt and clock modes, the interrupt masks, the VDP
// on INT2, the timer, the keyboard's column select on P2 to P4 and its rows
// on INT3 to INT10, alpha lock on P5. Unconnected inputs read high, as on
// an idle machine (no joystick moved, no cassette signal).
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class Keyboard;

// The decrementer counts at the CPU clock over 64.
constexpr unsigned kTimerDivider = 64;
constexpr uint64_t kNoTimerEvent = ~uint64_t{0};

class Tms9901 {
public:
    explicit Tms9901(const Keyboard& keyboard) : keyboard_(keyboard) {}

    // now: the CPU cycle of the access.
    bool read_bit(unsigned bit, uint64_t now);
    void write_bit(unsigned bit, bool value, uint64_t now);

    // The VDP's interrupt line (active high here).
    void set_vdp_interrupt(bool active) { vdp_interrupt_ = active; }
    // INTREQ to the CPU.
    bool interrupt_request(uint64_t now) const;
    // The first cycle after now at which the timer raises an interrupt that
    // its mask lets through, or kNoTimerEvent.
    uint64_t next_timer_event(uint64_t now) const;

    // The CPU's clock count went back by `by` cycles.
    void shift_time(uint64_t by) { clock_start_ = clock_start_ > by ? clock_start_ - by : 0; }

    bool vdp_interrupt_enabled() const { return masks_[2]; }
    bool clock_mode() const { return clock_mode_; }
    uint16_t clock_register() const { return clock_register_; }
    // The decrementer at cycle now (0 when the clock is off).
    uint16_t decrementer(uint64_t now) const;
    bool timer_interrupt(uint64_t now) const;

    unsigned selected_column() const { return column_; }
    bool alpha_lock_selected() const { return !output_bit(5); }

private:
    bool read_interrupt_input(unsigned bit, uint64_t now) const;
    bool row_pulled_low(unsigned row) const;
    bool output_bit(unsigned port) const { return (outputs_ >> port) & 1; }
    void load_clock(uint16_t value, uint64_t now);
    uint64_t timer_periods(uint64_t now) const;
    void reset_ports();

    const Keyboard& keyboard_;
    std::array<bool, 16> masks_{};
    bool clock_mode_ = false;
    bool vdp_interrupt_ = false;
    unsigned column_ = 7;  // the decoder inputs float high after reset
    uint16_t outputs_ = 0xFFFF;  // P0-P15 as last written (high after reset)
    uint16_t clock_register_ = 0;
    uint64_t clock_start_ = 0;       // cycle the decrementer was loaded
    uint64_t timer_acknowledged_ = 0;  // timer periods already cleared
    uint16_t read_register_ = 0;     // decrementer frozen on entering clock mode
};

}  // namespace scree
