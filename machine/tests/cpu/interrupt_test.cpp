// Interrupts: taken when the mask is at least the level, not before the
// first instruction after BLWP, XOP or an interrupt, not between X and its
// target, and IDLE waiting for one.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

// Reads of >F002, >F004, >F006 raise levels 1, 2 and 3; >F010 (a BLWP
// vector), >F014 (an XOP source), >F016 (an X operand) and >000C (the
// level 3 vector) raise level 1; >F000 takes the request back. The level 1
// routine lists where it was taken (R14), its ST and the ST before (R15).
constexpr const char* kProgram = R"(       AORG >A000
       LWPI >8300
       LI   R0,>8380
       MOV  R0,@>0004
       MOV  R0,@>0008
       LI   R0,ISR1
       MOV  R0,@>0006
       MOV  R0,@>000A
       LI   R0,>83C0
       MOV  R0,@>000C
       LI   R0,ISR3
       MOV  R0,@>000E
       LI   R0,>83A0
       MOV  R0,@>F010
       MOV  R0,@>0044
       LI   R0,SUBB
       MOV  R0,@>F012
       LI   R0,XH
       MOV  R0,@>0046
       LI   R0,>1000
       MOV  R0,@>F016
       LI   R0,>B000
       MOV  R0,@>8394
* mask 0 holds level 1 back until LIMI 1
       LIMI 0
       MOV  @>F002,R1
       NOP
       LIMI 1
L1     NOP
* mask 1 holds level 2 back until LIMI 2
       MOV  @>F004,R1
       NOP
       LIMI 2
L2     NOP
* raised during BLWP, XOP and X
       BLWP @>F010
       XOP  @>F014,1
       X    @>F016
LX     NOP
* raised while taking level 3: its first instruction runs first
       LIMI 3
       MOV  @>F006,R1
       LIMI 1
       IDLE
LIDLE  LIMI 0
DONE   JMP  DONE
SUBB   NOP
SB2    RTWP
XH     NOP
XH2    RTWP
ISR3   NOP
I32    RTWP
ISR1   STST R0
       MOV  R14,*R10+
       MOV  R0,*R10+
       MOV  R15,*R10+
       MOV  @>F000,R1
       RTWP
       AORG >B100
       DATA L1,L2,SB2,XH2,LX,I32,LIDLE
       END
)";

TEST(Interrupt, MaskLevelHoldsAndIdle) {
    Rig rig;
    rig.load(kProgram);
    scree::Cpu& cpu = rig.cpu;
    rig.bus.watch(0xF000, [&] { cpu.set_interrupt(false); });
    rig.bus.watch(0xF002, [&] { cpu.set_interrupt(true, 1); });
    rig.bus.watch(0xF004, [&] { cpu.set_interrupt(true, 2); });
    rig.bus.watch(0xF006, [&] { cpu.set_interrupt(true, 3); });
    for (uint16_t a : {0xF010, 0xF014, 0xF016, 0x000C}) rig.bus.watch(a, [&] { cpu.set_interrupt(true, 1); });

    cpu.run(1'000'000);
    ASSERT_EQ(cpu.last_event(), scree::CpuEvent::Idle);
    EXPECT_TRUE(cpu.idle());
    // Idle without a request: the time passes to the limit, nothing runs.
    const uint64_t instructions = cpu.instructions;
    cpu.run(cpu.cycles + 1000);
    EXPECT_EQ(cpu.instructions, instructions);
    EXPECT_TRUE(cpu.idle());
    cpu.set_interrupt(true, 1);
    rig.run();

    struct Taken {
        uint16_t mask_inside, mask_before, x_before;
    };
    const Taken expected[] = {{0, 1, 0}, {1, 2, 0}, {0, 2, 0}, {0, 2, X}, {0, 2, 0}, {0, 2, 0}, {0, 1, 0}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        const uint16_t at = static_cast<uint16_t>(0xB000 + 6 * i);
        EXPECT_EQ(hex(rig.bus.word(at)), hex(rig.bus.word(static_cast<uint16_t>(0xB100 + 2 * i)))) << "interrupt " << i;
        EXPECT_EQ(rig.bus.word(static_cast<uint16_t>(at + 2)) & 0xF, expected[i].mask_inside) << "interrupt " << i;
        EXPECT_EQ(rig.bus.word(static_cast<uint16_t>(at + 4)) & (0xF | X), expected[i].mask_before | expected[i].x_before)
            << "interrupt " << i;
    }
    EXPECT_EQ(rig.bus.word(0xB000 + 6 * std::size(expected)), 0) << "one interrupt too many";
}

}  // namespace
}  // namespace cpu_test
