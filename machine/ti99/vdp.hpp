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
    static constexpr uint8_t kStatusInterrupt = 0x80;
    static constexpr uint8_t kStatusFifth = 0x40;
    static constexpr uint8_t kStatusCoincidence = 0x20;
    static constexpr uint8_t kStatusNumber = 0x1F;

    // Ports (one byte each).
    uint8_t read_data();
    uint8_t read_status();
    void write_data(uint8_t value);
    void write_address(uint8_t value);

    // End of the active frame: the sprite flags of the frame's lines, then
    // the interrupt flag.
    void end_of_frame();
    // The interrupt line: flag set and enabled by register 1.
    bool interrupt() const { return (status_ & kStatusInterrupt) && (registers_[1] & 0x20); }

    const std::array<uint8_t, kVramSize>& vram() const { return vram_; }
    std::array<uint8_t, kVramSize>& vram() { return vram_; }
    uint8_t reg(unsigned n) const { return registers_[n & 7]; }
    // As a register write through the port does: unused bits read as 0.
    void set_reg(unsigned n, uint8_t value);
    uint8_t status() const { return status_; }
    uint16_t address() const { return address_; }
    bool address_pending() const { return second_byte_; }

    // Register 1 bits.
    bool display_enabled() const { return registers_[1] & 0x40; }
    bool text_mode() const { return registers_[1] & 0x10; }
    bool multicolor_mode() const { return registers_[1] & 0x08; }
    bool bitmap_mode() const { return registers_[0] & 0x02; }

private:
    std::array<uint8_t, kVramSize> vram_{};
    std::array<uint8_t, 8> registers_{};
    uint8_t status_ = 0;
    uint16_t address_ = 0;
    bool second_byte_ = false;  // the next address port write completes a pair
    uint8_t read_ahead_ = 0;
};

}  // namespace scree
