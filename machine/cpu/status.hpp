// Status register bits and the comparisons that set them.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

constexpr uint16_t kStLgt = 0x8000;   // logical greater than
constexpr uint16_t kStAgt = 0x4000;   // arithmetic greater than
constexpr uint16_t kStEq = 0x2000;    // equal
constexpr uint16_t kStC = 0x1000;     // carry
constexpr uint16_t kStOv = 0x0800;    // overflow
constexpr uint16_t kStOp = 0x0400;    // odd parity
constexpr uint16_t kStX = 0x0200;     // extended operation
constexpr uint16_t kStMask = 0x000F;  // interrupt mask

constexpr uint16_t kStLae = kStLgt | kStAgt | kStEq;
// Bits 7 to 11 do not exist on the TMS9900: they read as 0 whatever RTWP loads.
constexpr uint16_t kStImplemented = 0xFE0F;

// L>, A> and EQ of a word compared with zero.
inline uint16_t lae_word(uint16_t v) {
    if (v == 0) return kStEq;
    return static_cast<int16_t>(v) > 0 ? kStLgt | kStAgt : kStLgt;
}

// L>, A>, EQ and OP of a byte compared with zero.
struct ByteStatusTable {
    std::array<uint16_t, 256> bits{};
    constexpr ByteStatusTable() {
        for (unsigned b = 0; b < 256; ++b) {
            uint16_t s = b == 0 ? kStEq : (b < 0x80 ? kStLgt | kStAgt : kStLgt);
            unsigned ones = 0;
            for (unsigned v = b; v; v >>= 1) ones += v & 1;
            if (ones & 1) s |= kStOp;
            bits[b] = s;
        }
    }
};
inline constexpr ByteStatusTable kByteStatus{};
inline uint16_t laep_byte(uint8_t b) { return kByteStatus.bits[b]; }

// L>, A> and EQ of comparing a with b (a > b sets the greater bits).
inline uint16_t compare_word(uint16_t a, uint16_t b) {
    uint16_t s = 0;
    if (a == b) return kStEq;
    if (a > b) s |= kStLgt;
    if (static_cast<int16_t>(a) > static_cast<int16_t>(b)) s |= kStAgt;
    return s;
}

}  // namespace scree
