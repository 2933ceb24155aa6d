#include "machine/ti99/vdp.hpp"

namespace scree {

namespace {
constexpr uint16_t kAddressMask = Vdp::kVramSize - 1;
}

// Data reads return the read-ahead byte and fetch the next one.
uint8_t Vdp::read_data() {
    second_byte_ = false;
    const uint8_t v = read_ahead_;
    read_ahead_ = vram_[address_];
    address_ = (address_ + 1) & kAddressMask;
    return v;
}

// Reading the status clears the interrupt and collision flags.
uint8_t Vdp::read_status() {
    second_byte_ = false;
    const uint8_t v = status_;
    status_ &= 0x1F;
    status_ &= static_cast<uint8_t>(~0x20);
    return v;
}

void Vdp::write_data(uint8_t value) {
    second_byte_ = false;
    vram_[address_] = value;
    read_ahead_ = value;
    address_ = (address_ + 1) & kAddressMask;
}

// First byte: the low address bits (or a register value). Second byte:
// >80 + n writes register n; >40 + high bits sets a write address; a plain
// high part sets a read address and reads ahead.
void Vdp::write_address(uint8_t value) {
    if (!second_byte_) {
        latch_ = value;
        address_ = (address_ & 0x3F00) | value;
        second_byte_ = true;
        return;
    }
    second_byte_ = false;
    if (value & 0x80) {
        registers_[value & 7] = latch_;
        return;
    }
    address_ = static_cast<uint16_t>(((value & 0x3F) << 8) | latch_);
    if (!(value & 0x40)) {
        read_ahead_ = vram_[address_];
        address_ = (address_ + 1) & kAddressMask;
    }
}

void Vdp::end_of_frame() { status_ |= kStatusInterrupt; }

}  // namespace scree
