#include <bit>

#include "machine/cpu/handlers.hpp"

namespace scree::exec {

namespace {

struct Operands {
    unsigned ts, s, td, d;
};
inline Operands fields(uint16_t op) {
    return {static_cast<unsigned>(op >> 4 & 3), static_cast<unsigned>(op & 15),
            static_cast<unsigned>(op >> 10 & 3), static_cast<unsigned>(op >> 6 & 15)};
}

// The word source of formats 3 and 9.
inline uint16_t word_source(Cpu& c, uint16_t op) {
    return c.read_word(c.operand_address(op >> 4 & 3, op & 15, false));
}
inline unsigned register_field(uint16_t op) { return op >> 6 & 15; }

}  // namespace

// Source, then destination; the destination is read before it is written.
template <class Op, bool kByte>
void two_operand(Cpu& c, uint16_t op) {
    const Operands f = fields(op);
    const uint16_t sa = c.operand_address(f.ts, f.s, kByte);
    const uint16_t sw = c.read_word(sa);
    const uint16_t sv = kByte ? byte_at(sw, sa) : sw;
    const uint16_t da = c.operand_address(f.td, f.d, kByte);
    const uint16_t dw = c.read_word(da);
    const uint16_t dv = kByte ? byte_at(dw, da) : dw;
    const uint16_t r = Op::apply(c, sv, dv, kByte);
    if constexpr (Op::kWrites) c.write_word(da, kByte ? with_byte(dw, da, r) : r);
}

template void two_operand<alu::SetZerosCorresponding, false>(Cpu&, uint16_t);
template void two_operand<alu::SetZerosCorresponding, true>(Cpu&, uint16_t);
template void two_operand<alu::Subtract, false>(Cpu&, uint16_t);
template void two_operand<alu::Subtract, true>(Cpu&, uint16_t);
template void two_operand<alu::Compare, false>(Cpu&, uint16_t);
template void two_operand<alu::Compare, true>(Cpu&, uint16_t);
template void two_operand<alu::Add, false>(Cpu&, uint16_t);
template void two_operand<alu::Add, true>(Cpu&, uint16_t);
template void two_operand<alu::Move, false>(Cpu&, uint16_t);
template void two_operand<alu::Move, true>(Cpu&, uint16_t);
template void two_operand<alu::SetOnesCorresponding, false>(Cpu&, uint16_t);
template void two_operand<alu::SetOnesCorresponding, true>(Cpu&, uint16_t);

void compare_ones(Cpu& c, uint16_t op) {
    const uint16_t s = word_source(c, op);
    const uint16_t d = c.read_register(register_field(op));
    alu::set_status(c, kStEq, (s & d) == s ? kStEq : 0);
}

void compare_zeros(Cpu& c, uint16_t op) {
    const uint16_t s = word_source(c, op);
    const uint16_t d = c.read_register(register_field(op));
    alu::set_status(c, kStEq, (s & d) == 0 ? kStEq : 0);
}

void exclusive_or(Cpu& c, uint16_t op) {
    const uint16_t s = word_source(c, op);
    const unsigned r = register_field(op);
    const uint16_t v = static_cast<uint16_t>(c.read_register(r) ^ s);
    c.write_register(r, v);
    alu::set_status(c, kStLae, lae_word(v));
}

void multiply(Cpu& c, uint16_t op) {
    const uint16_t s = word_source(c, op);
    const unsigned r = register_field(op);
    const uint32_t product = uint32_t{c.read_register(r)} * s;
    c.write_register(r, static_cast<uint16_t>(product >> 16));
    c.write_register(r + 1, static_cast<uint16_t>(product));
}

// The 32-bit dividend in R and R+1 by the source; overflow (divisor not
// above the high word) leaves both registers. The data manual gives 92 to
// 124 clocks without saying which division takes which; the model spends
// two more for every zero bit of the quotient (a subtraction that did not
// go and was undone), so >FFFF takes 92 and 0 takes 124.
void divide(Cpu& c, uint16_t op) {
    const uint16_t s = word_source(c, op);
    const unsigned r = register_field(op);
    const uint16_t high = c.read_register(r);
    if (s <= high) {
        alu::set_status(c, kStOv, kStOv);
        return;
    }
    const uint16_t low = c.read_register(r + 1);
    const uint32_t dividend = uint32_t{high} << 16 | low;
    const uint16_t quotient = static_cast<uint16_t>(dividend / s);
    const uint16_t remainder = static_cast<uint16_t>(dividend % s);
    c.write_register(r, quotient);
    c.write_register(r + 1, remainder);
    alu::set_status(c, kStOv, 0);
    c.cycles += 76 + 2 * (16 - static_cast<unsigned>(std::popcount(quotient)));
}

// XOP n: context switch through the vector at >0040 + 4n, the source's
// address in the new R11, X set.
void extended_operation(Cpu& c, uint16_t op) {
    const uint16_t address = c.operand_address(op >> 4 & 3, op & 15, false);
    (void)c.read_word(address);
    const uint16_t vector = static_cast<uint16_t>(0x40 + 4 * register_field(op));
    const uint16_t new_wp = c.read_word(vector);
    const uint16_t new_pc = c.read_word(static_cast<uint16_t>(vector + 2));
    c.context_switch(new_wp, new_pc);
    c.write_register(11, address);
    c.st |= kStX;
    c.hold_interrupts();
}

}  // namespace scree::exec
