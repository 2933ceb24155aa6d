// What the Editor/Assembler leaves for a program: the console and utilities
// in place, the VDP in graphics I with a character set and a blank screen,
// the scratchpad values, interrupts disabled.
#pragma once

#include <cstdint>
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

// Power-on, then the state a loaded program finds.
void prepare_machine(Machine& machine);

// Starts the program at entry with the workspace the loader leaves.
void start_program(Machine& machine, uint16_t entry);

}  // namespace scree
