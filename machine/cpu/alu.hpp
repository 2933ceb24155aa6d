// The arithmetic of the two-operand instructions. A byte operand arrives in
// the high byte of a word with a zero low byte, so carry, overflow and the
// comparisons of the word form hold for bytes too; byte forms add OP.
#pragma once

#include <cstdint>

#include "machine/cpu/cpu.hpp"
#include "machine/cpu/status.hpp"

namespace scree::alu {

inline void set_status(Cpu& c, uint16_t affected, uint16_t bits) {
    c.st = static_cast<uint16_t>((c.st & ~affected) | bits);
}

// L>, A>, EQ of v, and OP of its high byte for byte operations.
inline uint16_t result_bits(uint16_t v, bool byte) {
    return byte ? laep_byte(static_cast<uint8_t>(v >> 8)) : lae_word(v);
}
inline uint16_t result_mask(bool byte) { return byte ? kStLae | kStOp : kStLae; }

inline uint16_t add_bits(uint16_t d, uint16_t s, uint32_t sum) {
    const uint16_t r = static_cast<uint16_t>(sum);
    uint16_t bits = 0;
    if (sum > 0xFFFF) bits |= kStC;
    if (~(d ^ s) & (d ^ r) & 0x8000) bits |= kStOv;
    return bits;
}

// d - s: carry when no borrow.
inline uint16_t subtract_bits(uint16_t d, uint16_t s) {
    const uint16_t r = static_cast<uint16_t>(d - s);
    uint16_t bits = 0;
    if (d >= s) bits |= kStC;
    if ((d ^ s) & (d ^ r) & 0x8000) bits |= kStOv;
    return bits;
}

struct SetZerosCorresponding {
    static constexpr bool kWrites = true;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t d, bool byte) {
        const uint16_t r = static_cast<uint16_t>(d & ~s);
        set_status(c, result_mask(byte), result_bits(r, byte));
        return r;
    }
};

struct SetOnesCorresponding {
    static constexpr bool kWrites = true;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t d, bool byte) {
        const uint16_t r = static_cast<uint16_t>(d | s);
        set_status(c, result_mask(byte), result_bits(r, byte));
        return r;
    }
};

struct Subtract {
    static constexpr bool kWrites = true;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t d, bool byte) {
        const uint16_t r = static_cast<uint16_t>(d - s);
        set_status(c, result_mask(byte) | kStC | kStOv, result_bits(r, byte) | subtract_bits(d, s));
        return r;
    }
};

struct Add {
    static constexpr bool kWrites = true;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t d, bool byte) {
        const uint32_t sum = uint32_t{d} + s;
        const uint16_t r = static_cast<uint16_t>(sum);
        set_status(c, result_mask(byte) | kStC | kStOv, result_bits(r, byte) | add_bits(d, s, sum));
        return r;
    }
};

// Compares the source with the destination; OP from the source byte.
struct Compare {
    static constexpr bool kWrites = false;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t d, bool byte) {
        uint16_t bits = compare_word(s, d);
        if (byte && (laep_byte(static_cast<uint8_t>(s >> 8)) & kStOp)) bits |= kStOp;
        set_status(c, result_mask(byte), bits);
        return d;
    }
};

struct Move {
    static constexpr bool kWrites = true;
    static uint16_t apply(Cpu& c, uint16_t s, uint16_t, bool byte) {
        set_status(c, result_mask(byte), result_bits(s, byte));
        return s;
    }
};

}  // namespace scree::alu
