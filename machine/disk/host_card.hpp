// Our peripheral card: its ROM (hostcard.a99) names the devices and hands
// each request through a port to the host, which serves the disk drives
// and the printer here.
#pragma once

#include <cstdint>

#include "machine/disk/disk_drives.hpp"
#include "machine/disk/printer.hpp"
#include "machine/ti99/machine.hpp"
#include "machine/ti99/peripheral_card.hpp"

namespace scree {

class HostCard : public PeripheralCard {
public:
    static constexpr uint16_t kCruBase = 0x1100;
    static constexpr uint16_t kRequestPort = 0x5FF0;  // written: serve the request
    static constexpr uint16_t kResultPort = 0x5FF2;   // read: 2 served, 0 not ours
    static constexpr uint16_t kRequestDevice = 8;
    static constexpr uint16_t kRequestSubprogram = 0xA;

    HostCard(Machine& machine, DiskDrives& disks, Printer& printer);

    // Plugs the card into the machine at kCruBase.
    void plug();

    const Rom& rom() const override;
    uint8_t port_page() const override { return kRequestPort >> 8; }
    uint16_t read_port(uint16_t address) override;
    void write_port(uint16_t address, uint16_t value) override;

private:
    bool serve_device();
    bool serve_subprogram();

    Machine& machine_;
    DiskDrives& disks_;
    Printer& printer_;
    uint16_t result_ = 0;
};

}  // namespace scree
