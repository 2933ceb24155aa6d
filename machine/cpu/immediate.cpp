#include "machine/cpu/handlers.hpp"

namespace scree::exec {

namespace {

inline unsigned register_field(uint16_t op) { return op & 15; }

// Register op= immediate, with L>, A> and EQ of the result.
template <class Combine>
void logical_immediate(Cpu& c, uint16_t op, Combine combine) {
    const uint16_t imm = c.fetch();
    const unsigned r = register_field(op);
    const uint16_t result = combine(c.read_register(r), imm);
    c.write_register(r, result);
    alu::set_status(c, kStLae, lae_word(result));
}

}  // namespace

void load_immediate(Cpu& c, uint16_t op) {
    const uint16_t imm = c.fetch();
    c.write_register(register_field(op), imm);
    alu::set_status(c, kStLae, lae_word(imm));
}

void add_immediate(Cpu& c, uint16_t op) {
    const uint16_t imm = c.fetch();
    const unsigned r = register_field(op);
    const uint16_t v = c.read_register(r);
    const uint32_t sum = uint32_t{v} + imm;
    c.write_register(r, static_cast<uint16_t>(sum));
    alu::set_status(c, kStLae | kStC | kStOv,
                    lae_word(static_cast<uint16_t>(sum)) | alu::add_bits(v, imm, sum));
}

void and_immediate(Cpu& c, uint16_t op) {
    logical_immediate(c, op, [](uint16_t v, uint16_t imm) { return static_cast<uint16_t>(v & imm); });
}

void or_immediate(Cpu& c, uint16_t op) {
    logical_immediate(c, op, [](uint16_t v, uint16_t imm) { return static_cast<uint16_t>(v | imm); });
}

void compare_immediate(Cpu& c, uint16_t op) {
    const uint16_t imm = c.fetch();
    const uint16_t v = c.read_register(register_field(op));
    alu::set_status(c, kStLae, compare_word(v, imm));
}

void load_workspace_pointer(Cpu& c, uint16_t) { c.wp = c.fetch(); }

void load_interrupt_mask(Cpu& c, uint16_t) {
    const uint16_t imm = c.fetch();
    alu::set_status(c, kStMask, imm & kStMask);
}

void store_workspace_pointer(Cpu& c, uint16_t op) { c.write_register(register_field(op), c.wp); }

void store_status(Cpu& c, uint16_t op) { c.write_register(register_field(op), c.st); }

void idle(Cpu& c, uint16_t) { c.go_idle(); }

void reset_mask(Cpu& c, uint16_t) { alu::set_status(c, kStMask, 0); }

void return_with_workspace(Cpu& c, uint16_t) {
    const uint16_t new_wp = c.read_register(13);
    const uint16_t new_pc = c.read_register(14);
    c.st = c.read_register(15) & kStImplemented;
    c.wp = new_wp;
    c.pc = new_pc;
}

// CKON, CKOF and LREX drive the external instruction lines, which nothing
// on the 99/4A decodes.
void external(Cpu&, uint16_t) {}

// An illegal opcode changes nothing but the time (6 clocks, the fetch) and
// the count; the status stays as it was.
void illegal(Cpu& c, uint16_t) { ++c.illegal; }

}  // namespace scree::exec
