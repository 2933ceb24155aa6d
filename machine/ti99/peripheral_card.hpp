// A card in the peripheral expansion box: CRU bit 0 at its base (>1000 to
// >1F00) switches its ROM into >4000->5FFF. One page of that space may be
// the card's ports instead of ROM.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace scree {

class PeripheralCard {
public:
    static constexpr uint16_t kRomAddress = 0x4000;
    static constexpr std::size_t kRomSize = 0x2000;
    using Rom = std::array<uint8_t, kRomSize>;

    virtual ~PeripheralCard() = default;

    virtual const Rom& rom() const = 0;
    // The page (address >> 8, >40 to >5F) whose accesses go to the ports;
    // 0 for none.
    virtual uint8_t port_page() const = 0;
    // Word accesses to the port page while the card is on.
    virtual uint16_t read_port(uint16_t address) = 0;
    virtual void write_port(uint16_t address, uint16_t value) = 0;
};

}  // namespace scree
