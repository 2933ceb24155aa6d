// TMS9918A as the CPU sees it: 16 KB of VRAM behind the two-byte address
// protocol with auto-increment and read-ahead, eight write-only registers,
// the status register and the interrupt at the end of each frame.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class Vdp {
public:
    static constexpr unsigned kVramSize = 0x4000;

    // Ports (one byte each).
    uint8_t read_data();
    uint8_t read_status();
    void write_data(uint8_t value);
    void write_address(uint8_t value);

    // End of the active frame: sets the interrupt flag.
    void end_of_frame();
    // The interrupt line: flag set and enabled by register 1.
    bool interrupt() const { return (status_ & kStatusInterrupt) && (registers_[1] & 0x20); }

    const std::array<uint8_t, kVramSize>& vram() const { return vram_; }
    std::array<uint8_t, kVramSize>& vram() { return vram_; }
    uint8_t reg(unsigned n) const { return registers_[n & 7]; }
    void set_reg(unsigned n, uint8_t value) { registers_[n & 7] = value; }
    uint8_t status() const { return status_; }
    uint16_t address() const { return address_; }

    static constexpr uint8_t kStatusInterrupt = 0x80;

private:
    std::array<uint8_t, kVramSize> vram_{};
    std::array<uint8_t, 8> registers_{};
    uint8_t status_ = 0;
    uint16_t address_ = 0;
    uint8_t latch_ = 0;       // first byte of a two-byte address write
    bool second_byte_ = false;
    uint8_t read_ahead_ = 0;
};

}  // namespace scree
