#include "machine/ti99/grom.hpp"

namespace scree {

namespace {
// The counter's low 13 bits count; the top 3 bits select the GROM.
uint16_t increment(uint16_t a) { return static_cast<uint16_t>((a & 0xE000) | ((a + 1) & 0x1FFF)); }
}  // namespace

uint8_t Grom::fetch() {
    const uint8_t v = 0;  // no GROM contents
    address_ = increment(address_);
    return v;
}

uint8_t Grom::read_data() {
    address_read_low_ = false;
    address_write_low_ = false;
    const uint8_t v = read_ahead_;
    read_ahead_ = fetch();
    return v;
}

uint8_t Grom::read_address() {
    const bool low = address_read_low_;
    address_read_low_ = !low;
    return static_cast<uint8_t>(low ? address_ : address_ >> 8);
}

// Each byte shifts into the counter from below; after the second (low)
// byte the chips fetch ahead.
void Grom::write_address(uint8_t value) {
    address_read_low_ = false;
    address_ = static_cast<uint16_t>(address_ << 8 | value);
    address_write_low_ = !address_write_low_;
    if (!address_write_low_) read_ahead_ = fetch();
}

}  // namespace scree
