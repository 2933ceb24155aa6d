// Branches and context switches: B, BL, BLWP, RTWP, X, XOP; the status
// bits the TMS9900 does not have; illegal opcodes.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

// Each pair of words at >B000 + 4n holds what the program saw and what it
// expected (label addresses), so the table needs no addresses.
TEST(Context, BranchesAndWorkspaceSwitches) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       BL   @SUB1
RET1   MOV  R11,@>B000
       LI   R0,RET1
       MOV  R0,@>B002
       LI   R1,SUB1
       BL   *R1
RET2   MOV  R11,@>B004
       LI   R0,RET2
       MOV  R0,@>B006
       CLR  R5
       B    @OVER
       SETO R5
OVER   MOV  R5,@>B100
* BLWP: R13-R15 of the new workspace hold the old WP, PC and ST
       LI   R5,>7FFF
       INC  R5
       BLWP @VEC1
RET3   STST R6
       MOV  R6,@>B102
       STWP R6
       MOV  R6,@>B104
       LI   R0,RET3
       MOV  R0,@>B00A
       LI   R1,VEC2
       BLWP *R1+
       MOV  R1,@>B00C
       LI   R0,VEC2+2
       MOV  R0,@>B00E
       JMP  XTEST
SUB1   RT
SUB2   MOV  R13,@>B106
       MOV  R15,@>B108
       MOV  R14,@>B008
       STWP R0
       MOV  R0,@>B10A
       CLR  R0
       RTWP
SUB3   RTWP
VEC1   DATA >8340,SUB2
VEC2   DATA >8360,SUB3
* X: the operand word runs as the next instruction, without a fetch
XTEST  LI   R5,>0582
       CLR  R2
       X    R5
       MOV  R2,@>B10C
       X    @WLI
       DATA >5678
       MOV  R3,@>B10E
       LI   R5,>1001
       CLR  R6
       X    R5
       SETO R6
       MOV  R6,@>B110
       LI   R7,>0485
       LI   R5,>0582
       X    R7
       MOV  R2,@>B112
       LI   R1,WINC
       X    *R1+
       MOV  R1,@>B010
       LI   R0,WINC+2
       MOV  R0,@>B012
       MOV  R2,@>B114
* XOP: the source's address in the new R11, X set
       LI   R0,>8380
       MOV  R0,@>0044
       LI   R0,XOPH
       MOV  R0,@>0046
       LI   R0,>83A0
       MOV  R0,@>0048
       LI   R0,XOPH2
       MOV  R0,@>004A
       LI   R3,>B200
       LI   R5,>4000
       A    R5,R5
       XOP  *R3+,1
XRET   STST R0
       MOV  R0,@>B116
       MOV  R3,@>B118
       LI   R0,XRET
       MOV  R0,@>B016
       XOP  R2,2
* RTWP loads every bit of ST the TMS9900 has, and no other
       STWP R13
       LI   R14,AFTER
       SETO R15
       RTWP
AFTER  STST R0
       LIMI 0
       MOV  R0,@>B11E
DONE   JMP  DONE
XOPH   STST R0
       MOV  R0,@>B11A
       MOV  R11,@>B11C
       MOV  R15,@>B120
       MOV  R13,@>B122
       MOV  R14,@>B014
       RTWP
XOPH2  MOV  R11,@>B124
       RTWP
WLI    DATA >0203
WINC   DATA >0582
       END
)");
    rig.run();
    for (uint16_t a = 0xB000; a < 0xB018; a = static_cast<uint16_t>(a + 4))
        EXPECT_EQ(rig.bus.word(a), rig.bus.word(static_cast<uint16_t>(a + 2))) << "pair at " << hex(a);
    const uint16_t expected[] = {
        0x0000,          // B @ skipped SETO
        L | O,           // ST back after RTWP (the subroutine changed it)
        0x8300,          // WP back
        0x8300, L | O,   // R13 and R15 in the subroutine
        0x8340,          // its WP
        0x0001,          // X R5 with INC R2
        0x5678,          // X of LI takes the word after X
        0x0000,          // X of JMP $+4 skipped SETO
        0x0002,          // X of X of INC
        0x0003,          // X *R1+
        L | O,           // ST after XOP and RTWP: X gone
        0xB202,          // *R3+ stepped by a word
        L | O | X,       // ST in the XOP routine
        0xB200,          // its R11
        0xFE0F,          // ST loaded from >FFFF
        L | O,           // R15 in the XOP routine
        0x8300,          // R13 in the XOP routine
        0x8304,          // XOP R2: R11 is the register's address
    };
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(hex(rig.bus.word(static_cast<uint16_t>(0xB100 + 2 * i))), hex(expected[i])) << "word " << i;
    EXPECT_EQ(rig.cpu.illegal, 0u);
}

// The four illegal ranges and the TMS9995 additions do nothing, leave the
// status alone and are counted; X of one counts too.
TEST(Context, IllegalOpcodes) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R0,>1234
       LI   R1,>5678
       LI   R2,>0C55
       STWP R13
       LI   R14,ILL
       LI   R15,>FE05
       RTWP
ILL    DATA >0000,>01FF,>0320,>033F,>0780,>07FF,>0C00,>0FFF
       LST  R0
       LWP  R0
       DIVS R0
       MPYS R1
       X    R2
       STST R3
DONE   JMP  DONE
       END
)");
    rig.run();
    EXPECT_EQ(rig.cpu.illegal, 13u);
    EXPECT_EQ(rig.bus.word(0x8300), 0x1234);
    EXPECT_EQ(rig.bus.word(0x8302), 0x5678);
    EXPECT_EQ(rig.bus.word(0x8306), 0xFE05);
    EXPECT_EQ(rig.cpu.wp, 0x8300);
}

// X of JMP $-2 jumps back to the X: a loop that never leaves it.
TEST(Context, XOfAJumpBackToItselfIsASelfJump) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R5,>10FF
       X    R5
       END
)");
    rig.run();
    EXPECT_EQ(rig.cpu.pc, 0xA008);
    EXPECT_EQ(rig.cpu.instructions, 4u);
}

}  // namespace
}  // namespace cpu_test
