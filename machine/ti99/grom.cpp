#include "machine/ti99/grom.hpp"

#include <array>

namespace scree {

namespace {

// Sound lists: n bytes for the sound chip, then the frames until the next
// block; a block with 0 frames ends the list.
constexpr uint16_t kListsAddress = kAcceptToneList;
constexpr std::array<uint8_t, 20> kLists = {
    // Accept tone: 1398 Hz on tone 1 for 12 frames.
    3, 0x80, 0x05, 0x91, 12,  // >0400
    1, 0x9F, 0,               // >0405: off
    // Bad response: 220 and 233 Hz on tones 1 and 2 for 18 frames.
    6, 0x8C, 0x1F, 0xA0, 0x1E, 0x91, 0xB1, 18,  // >0408
    2, 0x9F, 0xBF, 0,                          // >0410: off
};
static_assert(kBadResponseToneList == kListsAddress + 8);

uint8_t contents(uint16_t address) {
    const unsigned offset = static_cast<unsigned>(address - kListsAddress);
    return address >= kListsAddress && offset < kLists.size() ? kLists[offset] : 0;
}

// The counter's low 13 bits count; the top 3 bits select the GROM.
uint16_t increment(uint16_t a) { return static_cast<uint16_t>((a & 0xE000) | ((a + 1) & 0x1FFF)); }
}  // namespace

uint8_t Grom::fetch() {
    const uint8_t v = contents(address_);
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
