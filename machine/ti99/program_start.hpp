// What the Editor/Assembler leaves for a program: the console and utilities
// in place, the VDP in graphics I with a character set and a blank screen,
// the scratchpad values, interrupts disabled.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "machine/ti99/machine.hpp"

namespace scree {

// A utility's REF name and the address of its BLWP vector.
struct Utility {
    std::string_view name;
    uint16_t vector;
};

// VSBW, VMBW, VSBR, VMBR, VWTR, KSCAN, GPLLNK, XMLLNK, DSRLNK.
std::span<const Utility> utilities();

// Low memory words the Editor/Assembler loader keeps.
constexpr uint16_t kFirstFreeHigh = 0x2002;  // FSTHI
constexpr uint16_t kLastFreeHigh = 0x2004;   // LSTHI
constexpr uint16_t kFirstFreeLow = 0x2006;   // FSTLOW
constexpr uint16_t kLastFreeLow = 0x2008;    // LSTLOW

// Powers a new machine on: our console ROM, the utilities in low memory
// (unless a cartridge runs without the Editor/Assembler), then the
// console's power-up code until it is done. The counters (cycles,
// instructions, illegal opcodes, frames) then start from 0, so that they
// count the program alone. False if the power-up code did not finish.
bool prepare_machine(Machine& machine, bool with_utilities = true);

// Starts the program at entry with the workspace the loader leaves (>83E0)
// and interrupts disabled.
void start_program(Machine& machine, uint16_t entry);

// The console's routine that starts a cartridge program.
constexpr uint16_t kCartridgeStart = 0x001A;

// Which cartridge program the console starts: the one of that number in the
// header's program list (0 the first), or the one at an address.
struct CartridgeStart {
    uint16_t program = 0;
    std::optional<uint16_t> address;
};

// Hands the start to the console's routine, as its menu would.
void start_cartridge(Machine& machine, const CartridgeStart& start);

}  // namespace scree
