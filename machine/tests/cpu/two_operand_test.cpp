// Format 1 (word and byte), the compares, and formats 3 and 9 (COC, CZC,
// XOR, MPY, DIV). Expected values follow the data manual's definitions of
// each instruction and of the status bits it affects.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

TEST(TwoOperand, WordArithmeticAndLogic) {
    run_cases({
        // A: L> A> EQ C OV; OP and X are left alone.
        {"LI R1,>0001|LI R2,>7FFF", 0, "A R1,R2", "R2", {0x8000, L | O}},
        {"LI R1,>FFFF|LI R2,>0001", 0, "A R1,R2", "R2", {0x0000, E | C}},
        {"LI R1,>8000|LI R2,>8000", 0, "A R1,R2", "R2", {0x0000, E | C | O}},
        {"LI R1,>1234|LI R2,>1111", 0, "A R1,R2", "R2", {0x2345, L | A}},
        {"LI R1,1|LI R2,1", 0xFE00, "A R1,R2", "R2", {0x0002, L | A | P | X}},
        // S: destination minus source; C when there is no borrow.
        {"LI R1,3|LI R2,5", 0, "S R1,R2", "R2", {0x0002, L | A | C}},
        {"LI R1,5|LI R2,3", 0, "S R1,R2", "R2", {0xFFFE, L}},
        {"LI R1,1|LI R2,>8000", 0, "S R1,R2", "R2", {0x7FFF, L | A | C | O}},
        {"LI R1,>1234|LI R2,>1234", 0, "S R1,R2", "R2", {0x0000, E | C}},
        {"CLR R1|CLR R2", 0, "S R1,R2", "R2", {0x0000, E | C}},
        {"LI R1,>FFFF|LI R2,>7FFF", 0, "S R1,R2", "R2", {0x8000, L | O}},
        // C: source compared with destination; C OV OP X stay.
        {"LI R1,>0001|LI R2,>FFFF", 0, "C R1,R2", "R2", {0xFFFF, A}},
        {"LI R1,>FFFF|LI R2,>0001", 0, "C R1,R2", "R2", {0x0001, L}},
        {"LI R1,>8000|LI R2,>8000", 0, "C R1,R2", "R2", {0x8000, E}},
        {"LI R1,>0002|LI R2,>0001", 0xFE00, "C R1,R2", "", {L | A | C | O | P | X}},
        {"LI R1,>8000|LI R2,>7FFF", L | A | E, "C R1,R2", "", {L}},
        // MOV: the value moved compared with zero.
        {"LI R1,>8000|CLR R2", 0, "MOV R1,R2", "R2", {0x8000, L}},
        {"CLR R1|SETO R2", C | O, "MOV R1,R2", "R2", {0x0000, E | C | O}},
        {"LI R1,>7FFF", 0, "MOV R1,R2", "R2", {0x7FFF, L | A}},
        // SOC, SZC.
        {"LI R1,>00F0|LI R2,>0F00", 0, "SOC R1,R2", "R2", {0x0FF0, L | A}},
        {"LI R1,>FFFF|LI R2,>1234", 0, "SZC R1,R2", "R2", {0x0000, E}},
        {"LI R1,>00FF|LI R2,>8123", C, "SZC R1,R2", "R2", {0x8100, L | C}},
        {"CLR R1|CLR R2", 0, "SOC R1,R2", "R2", {0x0000, E}},
    });
}

TEST(TwoOperand, ByteArithmeticAndLogic) {
    run_cases({
        // The high byte of a register; its low byte is kept. OP from the result.
        {"LI R1,>7F00|LI R2,>01AA", 0, "AB R1,R2", "R2", {0x80AA, L | O | P}},
        {"LI R1,>FF00|LI R2,>0155", 0, "AB R1,R2", "R2", {0x0055, E | C}},
        {"LI R1,>0300|LI R2,>0400", 0, "AB R1,R2", "R2", {0x0700, L | A | P}},
        {"LI R1,>01FF|LI R2,>01FF", 0, "AB R1,R2", "R1 R2", {0x01FF, 0x02FF, L | A | P}},
        {"LI R1,>8000|LI R2,>8000", X, "AB R1,R2", "R2", {0x0000, E | C | O | X}},
        {"LI R1,>0200|LI R2,>0100", 0, "SB R1,R2", "R2", {0xFF00, L}},
        {"LI R1,>0100|LI R2,>8000", 0, "SB R1,R2", "R2", {0x7F00, L | A | C | O | P}},
        {"LI R1,>4433|LI R2,>4411", P, "SB R1,R2", "R2", {0x0011, E | C}},
        // CB: OP from the source byte.
        {"LI R1,>8012|LI R2,>7F34", 0, "CB R1,R2", "", {L | P}},
        {"LI R1,>0300|LI R2,>0300", C | O, "CB R1,R2", "", {E | C | O}},
        {"LI R1,>7F00|LI R2,>8000", 0, "CB R1,R2", "", {A | P}},
        {"LI R1,>0100|LI R2,>0200", P, "CB R1,R2", "", {P}},
        {"LI R1,>0000|LI R2,>0200", P, "CB R1,R2", "", {0}},
        // MOVB, SOCB, SZCB.
        {"LI R1,>0112|LI R2,>FF34", 0, "MOVB R1,R2", "R2", {0x0134, L | A | P}},
        {"LI R1,>00FF|LI R2,>FF34", C | O, "MOVB R1,R2", "R2", {0x0034, E | C | O}},
        {"LI R1,>FE00|LI R2,>0034", 0, "MOVB R1,R2", "R2", {0xFE34, L | P}},
        {"LI R1,>0F00|LI R2,>F0AB", 0, "SOCB R1,R2", "R2", {0xFFAB, L}},
        {"LI R1,>0F00|LI R2,>1F00", 0, "SZCB R1,R2", "R2", {0x1000, L | A | P}},
    });
}

TEST(TwoOperand, CompareOnesZerosAndExclusiveOr) {
    run_cases({
        // COC, CZC: EQ only.
        {"LI R1,>00F0|LI R2,>0FF0", L | A, "COC R1,R2", "R2", {0x0FF0, L | A | E}},
        {"LI R1,>00F0|LI R2,>0F70", E | C, "COC R1,R2", "", {C}},
        {"CLR R1|CLR R2", 0, "COC R1,R2", "", {E}},
        {"LI R1,>00F0|LI R2,>0F0F", 0, "CZC R1,R2", "R2", {0x0F0F, E}},
        {"LI R1,>00F0|LI R2,>0010", E | O, "CZC R1,R2", "", {O}},
        // XOR: L> A> EQ.
        {"LI R1,>FF00|LI R2,>0FF0", C | O, "XOR R1,R2", "R2", {0xF0F0, L | C | O}},
        {"LI R1,>1234|LI R2,>1234", 0, "XOR R1,R2", "R2", {0x0000, E}},
        {"LI R1,>0001|LI R2,>0100", 0, "XOR R1,R2", "R2", {0x0101, L | A}},
    });
}

TEST(TwoOperand, MultiplyAndDivide) {
    run_cases({
        // MPY: destination times source into D and D+1; no status.
        {"LI R1,>1234|LI R2,>5678|SETO R3", 0, "MPY R1,R2", "R2 R3", {0x0626, 0x0060, 0}},
        {"SETO R1|SETO R2", 0xFE00, "MPY R1,R2", "R2 R3", {0xFFFE, 0x0001, 0xFE00}},
        {"CLR R1|LI R2,>1234|LI R3,>5678", 0, "MPY R1,R2", "R2 R3", {0, 0, 0}},
        // DIV: D:D+1 by the source, quotient in D, remainder in D+1; OV only.
        {"LI R1,3|LI R2,1|CLR R3", L | O, "DIV R1,R2", "R2 R3", {0x5555, 0x0001, L}},
        {"SETO R1|LI R2,>FFFE|SETO R3", 0, "DIV R1,R2", "R2 R3", {0xFFFF, 0xFFFE, 0}},
        {"LI R1,10|CLR R2|LI R3,5", 0, "DIV R1,R2", "R2 R3", {0x0000, 0x0005, 0}},
        // Overflow (divisor not above the high word) leaves both registers.
        {"LI R1,1|LI R2,1|LI R3,>1234", E, "DIV R1,R2", "R2 R3", {0x0001, 0x1234, E | O}},
        {"LI R1,5|LI R2,5|LI R3,>1234", 0, "DIV R1,R2", "R2 R3", {0x0005, 0x1234, O}},
        {"CLR R1|CLR R2|LI R3,7", 0, "DIV R1,R2", "R2 R3", {0x0000, 0x0007, O}},
        {"LI R1,>8000|LI R2,>7FFF|SETO R3", 0, "DIV R1,R2", "R2 R3", {0xFFFF, 0x7FFF, 0}},
    });
}

// With R15 the second register is the word after the workspace.
TEST(TwoOperand, MultiplyAndDivideWithR15UseTheWordAfterTheWorkspace) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R1,>0100
       LI   R15,>0203
       MPY  R1,R15
       MOV  R15,@>B000
       MOV  @>8320,@>B002
       LI   R15,>0001
       LI   R2,>0002
       MOV  R2,@>8320
       LI   R1,>0010
       DIV  R1,R15
       MOV  R15,@>B004
       MOV  @>8320,@>B006
DONE   JMP  DONE
       END
)");
    rig.run();
    EXPECT_EQ(rig.bus.word(0xB000), 0x0002);
    EXPECT_EQ(rig.bus.word(0xB002), 0x0300);
    // >00010002 / >10 = >1000 remainder 2.
    EXPECT_EQ(rig.bus.word(0xB004), 0x1000);
    EXPECT_EQ(rig.bus.word(0xB006), 0x0002);
}

}  // namespace
}  // namespace cpu_test
