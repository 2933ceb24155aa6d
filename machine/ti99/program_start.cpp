#include "machine/ti99/program_start.hpp"

namespace scree {

namespace {

// Vector addresses as a real Editor/Assembler leaves them.
constexpr Utility kUtilities[] = {
    {"GPLLNK", 0x2100}, {"XMLLNK", 0x2104}, {"KSCAN", 0x2108}, {"VSBW", 0x210C}, {"VMBW", 0x2110},
    {"VSBR", 0x2114},   {"VMBR", 0x2118},   {"VWTR", 0x211C},  {"DSRLNK", 0x2120},
};

constexpr uint16_t kGplWorkspace = 0x83E0;

}  // namespace

std::span<const Utility> utilities() { return kUtilities; }

// Placeholder until the console and utilities are assembled into the build:
// graphics I registers and a blank screen.
void prepare_machine(Machine& machine) {
    Vdp& vdp = machine.vdp();
    const uint8_t regs[8] = {0x00, 0xE0, 0x00, 0x0E, 0x01, 0x06, 0x00, 0xF5};
    for (unsigned i = 0; i < 8; ++i) vdp.set_reg(i, regs[i]);
    for (unsigned a = 0; a < 0x300; ++a) vdp.vram()[a] = ' ';
    vdp.vram()[0x300] = 0xD0;
}

void start_program(Machine& machine, uint16_t entry) {
    Cpu& cpu = machine.cpu();
    cpu.wp = kGplWorkspace;
    cpu.pc = entry;
    cpu.st = 0;
}

}  // namespace scree
