// The CPU's view of the 64 KB address space: 256 pages of 256 bytes. A page
// is either plain memory (a pointer to its bytes) or belongs to the devices,
// which see every word access to it. Each page has its wait states.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

// Memory-mapped devices and the CRU. Word addresses are always even.
class Devices {
public:
    virtual ~Devices() = default;
    virtual uint16_t read_word(uint16_t address) = 0;
    virtual void write_word(uint16_t address, uint16_t value) = 0;
    // bit is the 12-bit CRU bit address (R12 / 2 plus displacement).
    virtual bool cru_read(uint16_t bit) = 0;
    virtual void cru_write(uint16_t bit, bool value) = 0;
};

struct MemoryMap {
    static constexpr unsigned kPageShift = 8;
    static constexpr unsigned kPages = 256;

    std::array<const uint8_t*, kPages> read{};  // nullptr: the devices answer
    std::array<uint8_t*, kPages> write{};       // nullptr: the devices take it
    std::array<uint8_t, kPages> wait{};         // extra clocks per access
    Devices* devices = nullptr;
};

}  // namespace scree
