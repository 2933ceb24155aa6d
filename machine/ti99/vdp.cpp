#include "machine/ti99/vdp.hpp"

#include "machine/ti99/sprites.hpp"

namespace scree {

namespace {

constexpr uint16_t kAddressMask = Vdp::kVramSize - 1;

// Bits each register keeps; the others do not exist in the chip.
constexpr uint8_t kRegisterMask[8] = {0x03, 0xFB, 0x0F, 0xFF, 0x07, 0x7F, 0x07, 0xFF};

}  // namespace

void Vdp::set_reg(unsigned n, uint8_t value) { registers_[n & 7] = value & kRegisterMask[n & 7]; }

// Data reads return the read-ahead byte and fetch the next one.
uint8_t Vdp::read_data() {
    second_byte_ = false;
    const uint8_t v = read_ahead_;
    read_ahead_ = vram_[address_];
    address_ = (address_ + 1) & kAddressMask;
    return v;
}

// Reading the status clears the interrupt, fifth sprite and coincidence
// flags; the sprite number stays.
uint8_t Vdp::read_status() {
    second_byte_ = false;
    const uint8_t v = status_;
    status_ &= kStatusNumber;
    return v;
}

// A written byte also goes into the read-ahead latch.
void Vdp::write_data(uint8_t value) {
    second_byte_ = false;
    vram_[address_] = value;
    read_ahead_ = value;
    address_ = (address_ + 1) & kAddressMask;
}

// First byte: the low address bits (or a register value); they reach the
// address register at once. Second byte: >80 + n writes register n (bit >40
// ignored); >40 + high bits sets a write address; a plain high part sets a
// read address and reads ahead.
void Vdp::write_address(uint8_t value) {
    if (!second_byte_) {
        address_ = (address_ & 0x3F00) | value;
        second_byte_ = true;
        return;
    }
    second_byte_ = false;
    const uint8_t low = static_cast<uint8_t>(address_);
    if (value & 0x80) {
        set_reg(value & 7, low);
        return;
    }
    address_ = static_cast<uint16_t>(((value & 0x3F) << 8) | low);
    if (!(value & 0x40)) {
        read_ahead_ = vram_[address_];
        address_ = (address_ + 1) & kAddressMask;
    }
}

// 5S and its number are kept until the status is read; while 5S is clear
// the number field shows the last sprite looked at.
void Vdp::end_of_frame() {
    const FrameSprites s = evaluate_frame(*this);
    if (!(status_ & kStatusFifth)) {
        status_ = static_cast<uint8_t>((status_ & ~kStatusNumber) | (s.number & kStatusNumber));
        if (s.fifth) status_ |= kStatusFifth;
    }
    if (s.coincidence) status_ |= kStatusCoincidence;
    status_ |= kStatusInterrupt;
}

}  // namespace scree
