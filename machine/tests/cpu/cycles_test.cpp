// Clocks and memory accesses per instruction as the data manual's tables
// give them: base clocks C and accesses M of each instruction plus the
// address modification of each operand. Each measured stretch lies between
// two CKOF markers; it costs C clocks without wait states and C + 4M with
// four wait states on every access.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

constexpr uint16_t kMarker = 0x03C0;  // CKOF

struct Cost {
    unsigned clocks, accesses;
};

constexpr const char* kProgram = R"(       AORG >A000
       LWPI >8300
       LI   R1,>B000
       LI   R2,>B010
* format 1 and the address modifications
       CKOF
       A    R1,R3
       CKOF
       CKOF
       A    *R1,R3
       CKOF
       CKOF
       A    *R1+,R3
       CKOF
       CKOF
       A    @>B000,R3
       CKOF
       CKOF
       A    @2(R1),R3
       CKOF
       CKOF
       A    R3,*R2
       CKOF
       CKOF
       A    *R1+,*R2+
       CKOF
       CKOF
       AB   *R1+,R3
       CKOF
       CKOF
       MOVB *R1+,*R2+
       CKOF
       CKOF
       MOV  @>B000,@>B002
       CKOF
       CKOF
       C    R1,R2
       CKOF
       CKOF
       CB   @>B000,*R1
       CKOF
* format 6
       LI   R4,5
       CKOF
       ABS  R4
       CKOF
       LI   R4,>FFFB
       CKOF
       ABS  R4
       CKOF
       CKOF
       B    @$+4
       CKOF
       LI   R5,$+8
       CKOF
       B    *R5
       CKOF
       CKOF
       BL   @$+4
       CKOF
       CKOF
       CLR  R4
       SETO R4
       INV  R4
       NEG  R4
       CKOF
       CKOF
       INC  R4
       INCT R4
       DEC  R4
       DECT R4
       SWPB R4
       CKOF
       CKOF
       CLR  *R1+
       CKOF
       CKOF
       INC  @>B000
       CKOF
* context switches: BLWP, then the RTWP back
       CKOF
       BLWP @VECB
       CKOF
       LI   R0,>8380
       MOV  R0,@>0044
       LI   R0,SUBW
       MOV  R0,@>0046
       CKOF
       XOP  R1,1
       CKOF
       CKOF
       XOP  @>B000,1
       CKOF
* formats 3 and 9
       CKOF
       COC  R1,R4
       CKOF
       CKOF
       CZC  @>B000,R4
       CKOF
       CKOF
       XOR  *R1,R4
       CKOF
       CKOF
       MPY  R4,R5
       CKOF
       LI   R6,1
       LI   R7,1
       CKOF
       DIV  R6,R7
       CKOF
       SETO R6
       LI   R7,>FFFE
       SETO R8
       CKOF
       DIV  R6,R7
       CKOF
       LI   R6,10
       CLR  R7
       LI   R8,5
       CKOF
       DIV  R6,R7
       CKOF
       LI   R6,3
       LI   R7,1
       CLR  R8
       CKOF
       DIV  R6,R7
       CKOF
* jumps
       CKOF
       JMP  $+2
       CKOF
       CLR  R4
       MOV  R4,R4
       CKOF
       JNE  $+2
       CKOF
       CKOF
       JEQ  $+2
       CKOF
* CRU
       CKOF
       SBO  0
       SBZ  0
       TB   0
       CKOF
       CKOF
       LDCR R4,0
       CKOF
       CKOF
       LDCR R4,3
       CKOF
       CKOF
       LDCR R4,8
       CKOF
       CKOF
       LDCR R4,9
       CKOF
       CKOF
       LDCR R4,15
       CKOF
       CKOF
       LDCR *R1+,8
       CKOF
       CKOF
       LDCR *R1+,9
       CKOF
       CKOF
       STCR R4,0
       CKOF
       CKOF
       STCR R4,1
       CKOF
       CKOF
       STCR R4,7
       CKOF
       CKOF
       STCR R4,8
       CKOF
       CKOF
       STCR R4,9
       CKOF
       CKOF
       STCR R4,15
       CKOF
* shifts
       CKOF
       SLA  R4,3
       CKOF
       CKOF
       SRA  R4,15
       CKOF
       LI   R0,5
       CKOF
       SRC  R4,0
       CKOF
       CLR  R0
       CKOF
       SRL  R4,0
       CKOF
* format 8 and 7
       CKOF
       LI   R4,1
       CKOF
       CKOF
       AI   R4,1
       ANDI R4,1
       ORI  R4,1
       CKOF
       CKOF
       CI   R4,1
       CKOF
       CKOF
       LIMI 0
       CKOF
       CKOF
       LWPI >8300
       CKOF
       CKOF
       STWP R4
       STST R4
       CKOF
       CKOF
       RSET
       CKON
       LREX
       CKOF
* X: its own cost, then the target's less one fetch
       LI   R5,>0584
       CKOF
       X    R5
       CKOF
       CKOF
       X    @WLI
       DATA >1234
       CKOF
       CLR  R6
       CKOF
       X    R6
       CKOF
       CKOF
       DATA >0000
       CKOF
DONE   JMP  DONE
SUBW   CKOF
       CKOF
       RTWP
VECB   DATA >8340,SUBW
WLI    LI   R4,0
       END
)";

constexpr Cost kCosts[] = {
    // A with each operand mode: 14 4, *R +4 +1, *R+ +8 +2 (byte +6 +2), @ +8 +1, @(R) +8 +2.
    {14, 4}, {18, 5}, {22, 6}, {22, 5}, {22, 6}, {18, 5}, {30, 8}, {20, 6}, {26, 8}, {30, 6},
    {14, 3}, {26, 5},
    // ABS positive, negative; B @, B *R, BL @; CLR SETO INV NEG; INC INCT DEC DECT SWPB.
    {12, 2}, {14, 3}, {16, 3}, {12, 3}, {20, 4}, {10 + 10 + 10 + 12, 12}, {50, 15},
    {18, 5}, {18, 4},
    // BLWP @, RTWP, XOP R, RTWP, XOP @, RTWP.
    {34, 7}, {14, 4}, {36, 8}, {14, 4}, {44, 9}, {14, 4},
    // COC, CZC @, XOR *R, MPY, DIV overflow, DIV quotient >FFFF, >0000, >5555.
    {14, 3}, {22, 4}, {18, 5}, {52, 5}, {16, 3}, {92, 6}, {124, 6}, {108, 6},
    // JMP, JNE not taken, JEQ taken.
    {10, 1}, {8, 1}, {10, 1},
    // SBO SBZ TB; LDCR 16, 3, 8, 9, 15, *R+ byte and word; STCR 16, 1, 7, 8, 9, 15.
    {36, 6}, {52, 3}, {26, 3}, {36, 3}, {38, 3}, {50, 3}, {42, 5}, {46, 5},
    {60, 4}, {42, 4}, {42, 4}, {44, 4}, {58, 4}, {58, 4},
    // SLA 3, SRA 15, SRC from R0 = 5, SRL from R0 = 0 (16).
    {18, 3}, {42, 3}, {30, 4}, {52, 4},
    // LI; AI ANDI ORI; CI; LIMI; LWPI; STWP STST; RSET CKON LREX.
    {12, 3}, {42, 12}, {14, 3}, {16, 2}, {10, 2}, {16, 4}, {36, 3},
    // X R5 (INC R4), X @ (LI), X R6 (illegal), an illegal opcode.
    {14, 4}, {24, 5}, {10, 2}, {6, 1},
};

std::vector<uint64_t> measure(uint8_t wait) {
    Rig rig;
    rig.load(kProgram);
    rig.bus.set_wait(0x0000, 0xFFFF, wait);
    std::vector<uint64_t> stretches;
    bool open = false;
    uint64_t start = 0;
    for (unsigned steps = 0; steps < 10000 && rig.cpu.last_event() != scree::CpuEvent::SelfJump; ++steps) {
        const bool marker = !rig.cpu.executing_x() && rig.bus.word(rig.cpu.pc) == kMarker;
        if (marker && open) stretches.push_back(rig.cpu.cycles - start);
        rig.cpu.step();
        if (marker) {
            open = !open;
            start = rig.cpu.cycles;
        }
    }
    EXPECT_EQ(rig.cpu.last_event(), scree::CpuEvent::SelfJump);
    return stretches;
}

void expect_costs(uint8_t wait) {
    const std::vector<uint64_t> measured = measure(wait);
    ASSERT_EQ(measured.size(), std::size(kCosts));
    for (size_t i = 0; i < measured.size(); ++i)
        EXPECT_EQ(measured[i], kCosts[i].clocks + wait * kCosts[i].accesses) << "stretch " << i;
}

TEST(Cycles, WithoutWaitStates) { expect_costs(0); }

TEST(Cycles, WithFourWaitStatesOnEveryAccess) { expect_costs(4); }

// IDLE 12 clocks and 1 access; an interrupt 22 and 5 before the first
// instruction of its routine (here CKON, 12 and 1).
TEST(Cycles, IdleAndInterrupt) {
    for (uint8_t wait : {0, 4}) {
        Rig rig;
        rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R0,>8380
       MOV  R0,@>0004
       LI   R0,ISR
       MOV  R0,@>0006
       LIMI 1
       IDLE
DONE   JMP  DONE
ISR    CKON
       JMP  ISR
       END
)");
        rig.bus.set_wait(0x0000, 0xFFFF, wait);
        for (int i = 0; i < 6; ++i) rig.cpu.step();
        uint64_t before = rig.cpu.cycles;
        rig.cpu.step();
        EXPECT_TRUE(rig.cpu.idle());
        EXPECT_EQ(rig.cpu.cycles - before, 12u + wait * 1u);
        rig.cpu.set_interrupt(true, 1);
        before = rig.cpu.cycles;
        rig.cpu.step();
        EXPECT_EQ(rig.cpu.cycles - before, 22u + 12u + wait * 6u);
        EXPECT_EQ(rig.cpu.wp, 0x8380);
    }
}

}  // namespace
}  // namespace cpu_test
