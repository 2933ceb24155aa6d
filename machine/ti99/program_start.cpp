#include "machine/ti99/program_start.hpp"

#include "machine/rom/rom.hpp"

namespace scree {

namespace {

// Vector addresses as a real Editor/Assembler leaves them.
constexpr Utility kUtilities[] = {
    {"GPLLNK", 0x2100}, {"XMLLNK", 0x2104}, {"KSCAN", 0x2108}, {"VSBW", 0x210C}, {"VMBW", 0x2110},
    {"VSBR", 0x2114},   {"VMBR", 0x2118},   {"VWTR", 0x211C},  {"DSRLNK", 0x2120},
};

constexpr uint16_t kGplWorkspace = 0x83E0;
// The power-up code clears all of VRAM, about 17 frames; it ends in a jump
// to itself.
constexpr uint64_t kPowerUpFrames = 60;

}  // namespace

std::span<const Utility> utilities() { return kUtilities; }

bool prepare_machine(Machine& machine, bool with_utilities) {
    machine.load_rom(console_rom());
    const std::span<const uint8_t> low = utilities_image();
    if (with_utilities)
        for (size_t i = 0; i < low.size(); ++i) machine.poke(static_cast<uint16_t>(kUtilitiesAddress + i), low[i]);
    machine.cpu().reset();
    const bool done = machine.run(kPowerUpFrames, true) == StopReason::SelfJump;
    machine.reset_counters();
    return done;
}

void start_program(Machine& machine, uint16_t entry) {
    Cpu& cpu = machine.cpu();
    cpu.wp = kGplWorkspace;
    cpu.pc = entry;
    cpu.st = 0;
}

void start_cartridge(Machine& machine, const CartridgeStart& start) {
    start_program(machine, kCartridgeStart);
    machine.poke_word(kGplWorkspace, start.address ? 0xFFFF : start.program);
    machine.poke_word(kGplWorkspace + 2, start.address.value_or(0));
}

}  // namespace scree
