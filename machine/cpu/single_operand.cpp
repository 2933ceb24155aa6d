#include "machine/cpu/handlers.hpp"

namespace scree::exec {

namespace {

inline uint16_t address_of(Cpu& c, uint16_t op) {
    return c.operand_address(op >> 4 & 3, op & 15, false);
}

// A branch to the instruction's own address never leaves it.
inline void branch_to(Cpu& c, uint16_t target) {
    if (target == c.instruction_pc) c.signal(CpuEvent::SelfJump);
    c.pc = target;
}

}  // namespace

void branch_and_load_workspace(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t new_wp = c.read_word(a);
    const uint16_t new_pc = c.read_word(static_cast<uint16_t>(a + 2));
    c.context_switch(new_wp, new_pc);
    c.hold_interrupts();
}

void branch(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    (void)c.read_word(a);
    branch_to(c, a);
}

void branch_and_link(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    (void)c.read_word(a);
    c.write_register(11, c.pc);
    branch_to(c, a);
}

// The operand word is the next instruction; it runs without a fetch.
void execute(Cpu& c, uint16_t op) {
    c.execute_next(c.read_word(address_of(c, op)));
}

void clear(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    (void)c.read_word(a);
    c.write_word(a, 0);
}

void set_ones(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    (void)c.read_word(a);
    c.write_word(a, 0xFFFF);
}

void negate(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t v = c.read_word(a);
    const uint16_t r = static_cast<uint16_t>(0 - v);
    c.write_word(a, r);
    uint16_t bits = lae_word(r);
    if (v == 0x8000) bits |= kStOv;
    if (v == 0) bits |= kStC;
    alu::set_status(c, kStLae | kStC | kStOv, bits);
}

void invert(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t r = static_cast<uint16_t>(~c.read_word(a));
    c.write_word(a, r);
    alu::set_status(c, kStLae, lae_word(r));
}

template <uint16_t kAddend>
void add_constant(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t v = c.read_word(a);
    const uint32_t sum = uint32_t{v} + kAddend;
    const uint16_t r = static_cast<uint16_t>(sum);
    c.write_word(a, r);
    alu::set_status(c, kStLae | kStC | kStOv, lae_word(r) | alu::add_bits(v, kAddend, sum));
}
template void add_constant<1>(Cpu&, uint16_t);
template void add_constant<2>(Cpu&, uint16_t);
template void add_constant<0xFFFF>(Cpu&, uint16_t);
template void add_constant<0xFFFE>(Cpu&, uint16_t);

void swap_bytes(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t v = c.read_word(a);
    c.write_word(a, static_cast<uint16_t>(v << 8 | v >> 8));
}

// Status from the operand before the change; only a negative one is written.
// C is cleared: negating a negative word never carries out of the top bit
// (only 0 would), and the data manual names no other source of it.
void absolute(Cpu& c, uint16_t op) {
    const uint16_t a = address_of(c, op);
    const uint16_t v = c.read_word(a);
    alu::set_status(c, kStLae | kStC | kStOv, lae_word(v) | (v == 0x8000 ? kStOv : 0));
    if (v & 0x8000) {
        c.cycles += 2;
        c.write_word(a, static_cast<uint16_t>(0 - v));
    }
}

}  // namespace scree::exec
