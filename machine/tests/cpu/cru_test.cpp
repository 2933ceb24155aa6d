// SBO, SBZ, TB, LDCR and STCR through a CRU that records every bit written.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

// The bits of value from the least significant one, at first, first+1, ...
void expect_bits(std::vector<CruWrite>& out, uint16_t first, uint16_t value, unsigned count) {
    for (unsigned i = 0; i < count; ++i) out.push_back({static_cast<uint16_t>((first + i) & 0x0FFF), (value >> i & 1) != 0});
}

TEST(Cru, BitsWrittenFromR12AndTheDisplacement) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R12,>0100
       SBO  5
       SBZ  127
       DATA >1DFF
       LI   R12,>E101
       SBZ  0
       LI   R12,>0200
       LI   R1,>A5C3
       LDCR R1,0
       LI   R1,>5A00
       LDCR R1,8
       LI   R1,>01FF
       LDCR R1,9
       LI   R3,WORDS+1
       LDCR *R3+,3
       LDCR *R3+,9
       LI   R12,>1FFE
       LI   R1,>0300
       LDCR R1,2
DONE   JMP  DONE
WORDS  DATA >1234,>ABCD
       END
)");
    rig.run();
    // SBO -1 is >1DFF; bits 0-2 and 15 of R12 take no part in the address.
    std::vector<CruWrite> expected{{0x085, true}, {0x0FF, false}, {0x07F, true}, {0x080, false}};
    expect_bits(expected, 0x100, 0xA5C3, 16);
    expect_bits(expected, 0x100, 0x5A, 8);     // count up to 8: the high byte
    expect_bits(expected, 0x100, 0x01FF, 9);
    expect_bits(expected, 0x100, 0x34, 3);     // the byte at an odd address
    expect_bits(expected, 0x100, 0xABCD, 9);   // *R3+ moved one byte on: the word at the even address
    expect_bits(expected, 0xFFF, 0x03, 2);     // the CRU address wraps at 12 bits
    EXPECT_EQ(rig.bus.cru_writes, expected);
}

TEST(Cru, LoadStatusAndOperandSize) {
    run_cases({
        {"LI R12,>0200|LI R1,>A5C3", 0, "LDCR R1,0", "", {L}},
        {"LI R1,>5A00", P, "LDCR R1,8", "", {L | A}},
        {"LI R1,>0100", 0, "LDCR R1,1", "", {L | A | P}},
        {"LI R1,>01FF", P, "LDCR R1,9", "", {L | A | P}},
        {"CLR R1", C | O, "LDCR R1,5", "", {E | C | O}},
        {"LI R3,>B000|LI R4,>1234|MOV R4,*R3", 0, "LDCR @>B001,3", "", {L | A | P}},
        {"LI R3,>B000|LI R4,>1234|MOV R4,*R3", 0, "LDCR *R3+,8|LDCR *R3+,9", "R3", {0xB003, L | A}},
        {"LI R3,>B000", 0, "LDCR *R3+,15", "R3", {0xB002, L | A}},
    });
}

TEST(Cru, StoreAndTest) {
    run_cases(
        {
            {"LI R12,>0200|CLR R1", 0, "STCR R1,0", "R1", {0xA5C3, L}},
            {"LI R12,>0200|LI R1,>FF55", P, "STCR R1,8", "R1", {0xC355, L}},
            {"LI R12,>0200|SETO R1", 0, "STCR R1,3", "R1", {0x03FF, L | A}},
            {"LI R12,>0200|SETO R1", P, "STCR R1,15", "R1", {0x25C3, L | A | P}},
            {"LI R12,>0202|SETO R1", 0, "STCR R1,9", "R1", {0x00E1, L | A}},
            {"LI R12,>0200|LI R1,>0100", 0, "STCR R1,1", "R1", {0x0100, L | A | P}},
            {"LI R12,>0204|SETO R1", C, "STCR R1,2", "R1", {0x00FF, E | C}},
            {"LI R12,>0200|LI R3,>B000|LI R4,>1234|MOV R4,*R3", 0, "STCR @>B001,4", "@>B000", {0x1203, L | A}},
            {"LI R12,>0200|LI R3,>B000|LI R4,>1234|MOV R4,*R3", 0, "STCR *R3+,2|STCR *R3+,2", "R3 @>B000",
             {0xB002, 0x0303, L | A}},
            // TB: EQ from the bit.
            {"LI R12,>0200", L, "TB 0", "", {L | E}},
            {"LI R12,>0200", A | E, "TB 2", "", {A}},
            {"LI R12,>0202", 0, "DATA >1FFF", "", {E}},
        },
        [](Rig& rig) {
            for (unsigned i = 0; i < 16; ++i) rig.bus.cru_inputs[0x100 + i] = (0xA5C3 >> i & 1) != 0;
        });
}

}  // namespace
}  // namespace cpu_test
