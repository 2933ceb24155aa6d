#include "machine/disk/host_card.hpp"

#include "machine/rom/card_rom.hpp"

namespace scree {

namespace {

// The scratchpad as DSRLNK leaves it for a DSR.
constexpr uint16_t kNameLength = 0x8354;  // the device name's length
constexpr uint16_t kNameEnd = 0x8356;     // VDP address just past it
constexpr uint16_t kNameBuffer = 0x834A;  // the name DSRLNK looked for
constexpr uint16_t kSubprogramStatus = 0x8350;
constexpr uint8_t kFilesSubprogram = 0x16;
constexpr uint16_t kServed = 2;

bool is_printer(std::string_view device) {
    for (const std::string_view name : {"PIO", "PIO/1", "PIO/2", "RS232", "RS232/1", "RS232/2", "RS232/3", "RS232/4"})
        if (device == name) return true;
    return false;
}

// 1 to 9 for "DSK1" to "DSK9", else 0.
unsigned drive_of(std::string_view device) {
    return device.size() == 4 && device.substr(0, 3) == "DSK" && device[3] >= '1' && device[3] <= '9'
               ? static_cast<unsigned>(device[3] - '0')
               : 0;
}

}  // namespace

HostCard::HostCard(Machine& machine, DiskDrives& disks, Printer& printer)
    : machine_(machine), disks_(disks), printer_(printer) {}

void HostCard::plug() { machine_.plug_card(kCruBase, *this); }

const PeripheralCard::Rom& HostCard::rom() const { return host_card_rom(); }

uint16_t HostCard::read_port(uint16_t address) {
    if (address == kResultPort) return result_;
    const Rom& r = rom();
    const size_t at = address - kRomAddress;
    return static_cast<uint16_t>(r[at] << 8 | r[at + 1]);
}

void HostCard::write_port(uint16_t address, uint16_t value) {
    if (address != kRequestPort) return;
    bool served = false;
    if (value == kRequestDevice) served = serve_device();
    if (value == kRequestSubprogram) served = serve_subprogram();
    result_ = served ? kServed : 0;
}

// The PAB begins 10 bytes before its name, whose device part ends at >8356.
bool HostCard::serve_device() {
    const uint16_t name_end = machine_.peek_word(kNameEnd);
    const uint16_t pab_address = static_cast<uint16_t>(name_end - machine_.peek_word(kNameLength) - Pab::kFixedSize);
    Vram& vram = machine_.vdp().vram();
    Pab pab = read_pab(vram, pab_address);
    const size_t period = pab.name.find('.');
    const std::string device = pab.name.substr(0, period);
    const std::string file = period == std::string::npos ? std::string() : pab.name.substr(period + 1);
    IoError error;
    if (const unsigned drive = drive_of(device)) {
        if (!disks_.mapped(drive)) return false;
        error = disks_.serve(drive, file, pab, vram);
    } else if (is_printer(device)) {
        error = printer_.serve(pab, vram);
    } else {
        return false;
    }
    pab.set_error(error);
    write_pab(vram, pab);
    return true;
}

// Subprogram >16 sets the number of disk files; the host needs no buffers.
bool HostCard::serve_subprogram() {
    if (machine_.peek_word(kNameLength) != 1 || machine_.peek(kNameBuffer) != kFilesSubprogram) return false;
    machine_.poke(kSubprogramStatus, 0);
    return true;
}

}  // namespace scree
