// The instruction handlers, one per operand format and operation. Each
// performs the memory accesses the TMS9900 makes, in its order, and adds
// the clocks that are not the row's base clocks.
#pragma once

#include <cstdint>

#include "machine/cpu/alu.hpp"

namespace scree::exec {

// The byte an address selects, in the high byte of a word.
inline uint16_t byte_at(uint16_t word, uint16_t address) {
    return static_cast<uint16_t>(address & 1 ? word << 8 : word & 0xFF00);
}
// word with the byte at address replaced by the high byte of value.
inline uint16_t with_byte(uint16_t word, uint16_t address, uint16_t value) {
    return static_cast<uint16_t>(address & 1 ? (word & 0xFF00) | (value >> 8)
                                             : (word & 0x00FF) | (value & 0xFF00));
}

// Format 1.
template <class Op, bool kByte>
void two_operand(Cpu& c, uint16_t op);

// Formats 3 and 9 with a register destination.
void compare_ones(Cpu& c, uint16_t op);
void compare_zeros(Cpu& c, uint16_t op);
void exclusive_or(Cpu& c, uint16_t op);
void multiply(Cpu& c, uint16_t op);
void divide(Cpu& c, uint16_t op);
void extended_operation(Cpu& c, uint16_t op);

// Format 6.
void branch_and_load_workspace(Cpu& c, uint16_t op);
void branch(Cpu& c, uint16_t op);
void execute(Cpu& c, uint16_t op);
void clear(Cpu& c, uint16_t op);
void negate(Cpu& c, uint16_t op);
void invert(Cpu& c, uint16_t op);
template <uint16_t kAddend>
void add_constant(Cpu& c, uint16_t op);  // INC, INCT, DEC, DECT
void branch_and_link(Cpu& c, uint16_t op);
void swap_bytes(Cpu& c, uint16_t op);
void set_ones(Cpu& c, uint16_t op);
void absolute(Cpu& c, uint16_t op);

// Format 8 and 7.
void load_immediate(Cpu& c, uint16_t op);
void add_immediate(Cpu& c, uint16_t op);
void and_immediate(Cpu& c, uint16_t op);
void or_immediate(Cpu& c, uint16_t op);
void compare_immediate(Cpu& c, uint16_t op);
void load_workspace_pointer(Cpu& c, uint16_t op);
void load_interrupt_mask(Cpu& c, uint16_t op);
void store_workspace_pointer(Cpu& c, uint16_t op);
void store_status(Cpu& c, uint16_t op);
void idle(Cpu& c, uint16_t op);
void reset_mask(Cpu& c, uint16_t op);
void return_with_workspace(Cpu& c, uint16_t op);
void external(Cpu& c, uint16_t op);  // CKON, CKOF, LREX
void illegal(Cpu& c, uint16_t op);

// Format 2, CRU and format 5.
void jump(Cpu& c, uint16_t op);
void set_bit_one(Cpu& c, uint16_t op);
void set_bit_zero(Cpu& c, uint16_t op);
void test_bit(Cpu& c, uint16_t op);
void load_cru(Cpu& c, uint16_t op);
void store_cru(Cpu& c, uint16_t op);
void shift_right_arithmetic(Cpu& c, uint16_t op);
void shift_right_logical(Cpu& c, uint16_t op);
void shift_left_arithmetic(Cpu& c, uint16_t op);
void shift_right_circular(Cpu& c, uint16_t op);

}  // namespace scree::exec
