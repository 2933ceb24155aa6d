#include "machine/ti99/tms9901.hpp"

#include "machine/ti99/keyboard.hpp"

namespace scree {

namespace {
constexpr unsigned kClockBits = 14;
constexpr uint16_t kClockMask = (1u << kClockBits) - 1;
constexpr unsigned kFirstPort = 16;
}  // namespace

uint64_t Tms9901::timer_periods(uint64_t now) const {
    if (clock_register_ == 0 || now < clock_start_) return 0;
    return (now - clock_start_) / kTimerDivider / clock_register_;
}

uint16_t Tms9901::decrementer(uint64_t now) const {
    if (clock_register_ == 0) return 0;
    const uint64_t ticks = now >= clock_start_ ? (now - clock_start_) / kTimerDivider : 0;
    return static_cast<uint16_t>(clock_register_ - ticks % clock_register_);
}

bool Tms9901::timer_interrupt(uint64_t now) const { return timer_periods(now) > timer_acknowledged_; }

void Tms9901::load_clock(uint16_t value, uint64_t now) {
    clock_register_ = value & kClockMask;
    clock_start_ = now;
    timer_acknowledged_ = 0;
}

// A key pulls its row low while its column is selected; alpha lock pulls
// row 4 while P5 is low. Columns 6 and 7 are the joysticks (idle).
bool Tms9901::row_pulled_low(unsigned row) const {
    if (!((keyboard_.rows(column_) >> row) & 1)) return true;
    return row == 4 && alpha_lock_selected() && keyboard_.alpha_lock_down();
}

// Inputs read low when active. With the clock running, the timer takes the
// place of INT3.
bool Tms9901::read_interrupt_input(unsigned bit, uint64_t now) const {
    if (bit == 2) return !vdp_interrupt_;
    if (bit == 3 && clock_register_ != 0) return !timer_interrupt(now);
    if (bit >= 3 && bit <= 10) return !row_pulled_low(bit - 3);
    return true;
}

bool Tms9901::read_bit(unsigned bit, uint64_t now) {
    bit &= 31;
    if (bit == 0) return clock_mode_;
    if (bit < kFirstPort) {
        if (!clock_mode_) return read_interrupt_input(bit, now);
        if (bit == 15) return interrupt_request(now);
        return (read_register_ >> (bit - 1)) & 1;
    }
    clock_mode_ = false;  // a port access leaves clock mode
    return output_bit(bit - kFirstPort);
}

void Tms9901::write_bit(unsigned bit, bool value, uint64_t now) {
    bit &= 31;
    if (bit == 0) {
        if (value && !clock_mode_) read_register_ = decrementer(now);
        clock_mode_ = value;
        return;
    }
    if (bit < kFirstPort) {
        if (clock_mode_) {
            if (bit == 15) {
                if (!value) reset_ports();
                return;
            }
            const uint16_t b = static_cast<uint16_t>(1u << (bit - 1));
            load_clock(static_cast<uint16_t>(value ? (clock_register_ | b) : (clock_register_ & ~b)), now);
            return;
        }
        masks_[bit] = value;
        if (bit == 3) timer_acknowledged_ = timer_periods(now);  // writing mask 3 clears the timer interrupt
        return;
    }
    clock_mode_ = false;
    const unsigned port = bit - kFirstPort;
    outputs_ = static_cast<uint16_t>(value ? (outputs_ | (1u << port)) : (outputs_ & ~(1u << port)));
    if (port >= 2 && port <= 4) column_ = (outputs_ >> 2) & 7;
}

// Software reset (0 into bit 15 in clock mode): masks off, ports back to
// inputs, which read high.
void Tms9901::reset_ports() {
    masks_.fill(false);
    outputs_ = 0xFFFF;
    column_ = 7;
}

bool Tms9901::interrupt_request(uint64_t now) const {
    if (masks_[2] && vdp_interrupt_) return true;
    if (masks_[3] && clock_register_ != 0 && timer_interrupt(now)) return true;
    for (unsigned bit = 3; bit <= 10; ++bit) {
        if (bit == 3 && clock_register_ != 0) continue;
        if (masks_[bit] && row_pulled_low(bit - 3)) return true;
    }
    return false;
}

uint64_t Tms9901::next_timer_event(uint64_t now) const {
    if (!masks_[3] || clock_register_ == 0 || timer_interrupt(now)) return kNoTimerEvent;
    const uint64_t period = uint64_t{clock_register_} * kTimerDivider;
    return clock_start_ + (timer_acknowledged_ + 1) * period;
}

}  // namespace scree
