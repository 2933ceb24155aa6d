#include "machine/cpu/handlers.hpp"

namespace scree::exec {

namespace {

bool jump_condition(uint16_t op, uint16_t st) {
    const bool lgt = st & kStLgt, agt = st & kStAgt, eq = st & kStEq;
    switch (op >> 8 & 0x0F) {
        case 0x0: return true;                   // JMP
        case 0x1: return !agt && !eq;            // JLT
        case 0x2: return !lgt || eq;             // JLE
        case 0x3: return eq;                     // JEQ
        case 0x4: return lgt || eq;              // JHE
        case 0x5: return agt;                    // JGT
        case 0x6: return !eq;                    // JNE
        case 0x7: return !(st & kStC);           // JNC
        case 0x8: return (st & kStC) != 0;       // JOC
        case 0x9: return !(st & kStOv);          // JNO
        case 0xA: return !lgt && !eq;            // JL
        case 0xB: return lgt && !eq;             // JH
        default: return (st & kStOp) != 0;       // JOP
    }
}

// CRU bit address of R12 plus a signed displacement (12 bits).
inline uint16_t cru_bit(Cpu& c, int displacement) {
    return static_cast<uint16_t>(((c.read_register(12) >> 1) + displacement) & 0x0FFF);
}
inline int displacement(uint16_t op) { return static_cast<int8_t>(op & 0xFF); }

// Count field of a CRU transfer or shift; 0 means 16.
inline unsigned count_or_16(unsigned n) { return n == 0 ? 16 : n; }

}  // namespace

void jump(Cpu& c, uint16_t op) {
    if (!jump_condition(op, c.st)) return;
    c.cycles += 2;
    c.pc = static_cast<uint16_t>(c.pc + 2 * displacement(op));
    if (c.pc == c.instruction_pc) c.signal(CpuEvent::SelfJump);
}

void set_bit_one(Cpu& c, uint16_t op) { c.devices().cru_write(cru_bit(c, displacement(op)), true); }

void set_bit_zero(Cpu& c, uint16_t op) { c.devices().cru_write(cru_bit(c, displacement(op)), false); }

void test_bit(Cpu& c, uint16_t op) {
    const bool bit = c.devices().cru_read(cru_bit(c, displacement(op)));
    alu::set_status(c, kStEq, bit ? kStEq : 0);
}

// Bits go out from the least significant one up; a count up to 8 takes a byte.
void load_cru(Cpu& c, uint16_t op) {
    const unsigned count = count_or_16(op >> 6 & 15);
    const bool byte = count <= 8;
    const uint16_t a = c.operand_address(op >> 4 & 3, op & 15, byte);
    const uint16_t w = c.read_word(a);
    const uint16_t aligned = byte ? byte_at(w, a) : w;
    const uint16_t value = byte ? aligned >> 8 : aligned;
    const uint16_t base = cru_bit(c, 0);
    for (unsigned i = 0; i < count; ++i)
        c.devices().cru_write(static_cast<uint16_t>((base + i) & 0x0FFF), (value >> i & 1) != 0);
    c.cycles += 2 * count;
    alu::set_status(c, alu::result_mask(byte), alu::result_bits(aligned, byte));
}

void store_cru(Cpu& c, uint16_t op) {
    const unsigned count = count_or_16(op >> 6 & 15);
    const bool byte = count <= 8;
    const uint16_t a = c.operand_address(op >> 4 & 3, op & 15, byte);
    const uint16_t w = c.read_word(a);
    const uint16_t base = cru_bit(c, 0);
    uint16_t value = 0;
    for (unsigned i = 0; i < count; ++i)
        if (c.devices().cru_read(static_cast<uint16_t>((base + i) & 0x0FFF))) value |= static_cast<uint16_t>(1u << i);
    const uint16_t aligned = byte ? static_cast<uint16_t>(value << 8) : value;
    c.write_word(a, byte ? with_byte(w, a, aligned) : value);
    c.cycles += count < 8 ? 0 : count == 8 ? 2 : count < 16 ? 16 : 18;
    alu::set_status(c, alu::result_mask(byte), alu::result_bits(aligned, byte));
}

namespace {

// Shift count and register; a zero count field takes R0's low four bits
// (0 there meaning 16) and eight more clocks.
struct ShiftOperand {
    unsigned reg;
    unsigned count;
    uint16_t value;
};
ShiftOperand shift_operand(Cpu& c, uint16_t op) {
    unsigned count = op >> 4 & 15;
    if (count == 0) {
        count = count_or_16(c.read_register(0) & 15);
        c.cycles += 8;
    }
    c.cycles += 2 * count;
    const unsigned reg = op & 15;
    return {reg, count, c.read_register(reg)};
}

void finish_shift(Cpu& c, unsigned reg, uint16_t result, uint16_t carry_and_overflow, uint16_t affected) {
    c.write_register(reg, result);
    alu::set_status(c, kStLae | affected, lae_word(result) | carry_and_overflow);
}

}  // namespace

void shift_right_arithmetic(Cpu& c, uint16_t op) {
    const ShiftOperand s = shift_operand(c, op);
    const int32_t v = static_cast<int16_t>(s.value);
    const uint16_t carry = (v >> (s.count - 1)) & 1 ? kStC : 0;
    finish_shift(c, s.reg, static_cast<uint16_t>(v >> s.count), carry, kStC);
}

void shift_right_logical(Cpu& c, uint16_t op) {
    const ShiftOperand s = shift_operand(c, op);
    const uint32_t v = s.value;
    const uint16_t carry = (v >> (s.count - 1)) & 1 ? kStC : 0;
    finish_shift(c, s.reg, static_cast<uint16_t>(v >> s.count), carry, kStC);
}

// Overflow when the sign bit changes at any step of the shift.
void shift_left_arithmetic(Cpu& c, uint16_t op) {
    const ShiftOperand s = shift_operand(c, op);
    uint16_t v = s.value;
    uint16_t bits = 0;
    for (unsigned i = 0; i < s.count; ++i) {
        const uint16_t before = v;
        bits = static_cast<uint16_t>((bits & kStOv) | (v & 0x8000 ? kStC : 0));
        v = static_cast<uint16_t>(v << 1);
        if ((before ^ v) & 0x8000) bits |= kStOv;
    }
    finish_shift(c, s.reg, v, bits, kStC | kStOv);
}

void shift_right_circular(Cpu& c, uint16_t op) {
    const ShiftOperand s = shift_operand(c, op);
    const unsigned n = s.count & 15;
    const uint16_t r = static_cast<uint16_t>(n == 0 ? s.value : (s.value >> n) | (s.value << (16 - n)));
    finish_shift(c, s.reg, r, r & 0x8000 ? kStC : 0, kStC);
}

}  // namespace scree::exec
