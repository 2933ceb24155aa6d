// The TMS9901: keyboard rows and alpha lock through the CRU, the interrupt
// masks, the timer in clock mode and its interrupt.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"
#include "machine/ti99/tms9901.hpp"

namespace {

std::unique_ptr<scree::Machine> load(std::string_view body) {
    return scree_test::load_program("       LWPI WS\n" + std::string(body) + R"(DONE   JMP  DONE
WS     BSS  32
RES    BSS  32
       END
)");
}

uint8_t res(scree::Machine& m, unsigned i) { return m.peek(static_cast<uint16_t>(m.cpu().wp + 32 + i)); }

TEST(Tms9901Cru, KeyboardRowsOfTheSelectedColumnAndAlphaLock) {
    auto m = load(R"(       LI   R12,>0024
       LI   R1,>0300          column 3
       LDCR R1,3
       LI   R12,>0006
       STCR R2,8
       MOVB R2,@RES
       CLR  R12
       SBZ  21                alpha lock on row 4
       TB   7
       STST R3
       MOV  R3,@RES+2
       SBO  21
       TB   7
       STST R4
       MOV  R4,@RES+4
       LI   R12,>0024
       LI   R1,>0600          joystick 1: idle
       LDCR R1,3
       LI   R12,>0006
       STCR R2,8
       MOVB R2,@RES+6
)");
    m->keyboard().press(3, 0);  // M
    m->keyboard().press(3, 5);  // F
    m->keyboard().set_alpha_lock(true);
    ASSERT_EQ(m->run(5, true), scree::StopReason::SelfJump);
    EXPECT_EQ(res(*m, 0), 0xDE);
    EXPECT_EQ(res(*m, 2) & 0x20, 0) << "row 4 low while P5 is low";
    EXPECT_EQ(res(*m, 4) & 0x20, 0x20) << "alpha lock unseen while P5 is high";
    EXPECT_EQ(res(*m, 6), 0xFF);
    EXPECT_EQ(m->tms9901().selected_column(), 6u);
}

TEST(Tms9901Cru, VdpInterruptMaskHoldsTheInterruptBack) {
    auto m = load(R"(       CLR  R12
       SBZ  2                 mask INT2
       SB   @>8379,@>8379
       LIMI 2
       LI   R1,10000          about six frames
LOOP1  DEC  R1
       JNE  LOOP1
       LIMI 0
       MOVB @>8379,@RES
       SBO  2
       LIMI 2
       LI   R1,10000
LOOP2  DEC  R1
       JNE  LOOP2
       LIMI 0
       MOVB @>8379,@RES+1
)");
    ASSERT_EQ(m->run(30, true), scree::StopReason::SelfJump);
    EXPECT_EQ(res(*m, 0), 0);
    EXPECT_GE(res(*m, 1), 4);
}

TEST(Tms9901Cru, TimerCountsDownAtTheCpuClockOverSixtyFour) {
    auto m = load(R"(       CLR  R12
       SBO  0                 clock mode
       INCT R12
       LI   R1,>3FFF
       LDCR R1,14             clock register: starts the decrementer
       DECT R12
       SBZ  0
       LI   R1,200
LOOP   DEC  R1
       JNE  LOOP
       SBO  0                 freeze the read register
       INCT R12
       STCR R2,14
       DECT R12
       SBZ  0
       MOV  R2,@RES
)");
    ASSERT_EQ(m->run(5, true), scree::StopReason::SelfJump);
    const unsigned value = m->peek_word(static_cast<uint16_t>(m->cpu().wp + 32));
    // The loop runs between the two accesses: about 200 * 36 cycles.
    EXPECT_LT(value, 0x3FFFu - 200 * 30 / 64);
    EXPECT_GT(value, 0x3FFFu - 200 * 50 / 64);
    EXPECT_EQ(m->tms9901().clock_register(), 0x3FFF);
    EXPECT_FALSE(m->tms9901().clock_mode());
}

std::unique_ptr<scree::Machine> load_timer_program() {
    return load(R"(       CLR  R12
       SBO  0
       INCT R12
       LI   R1,100            every 6400 cycles
       LDCR R1,14
       DECT R12
       SBZ  0
       SBZ  2                 only the timer
       SBO  3
       LIMI 2
       LI   R1,5000
LOOP   DEC  R1
       JNE  LOOP
       LIMI 0
)");
}

TEST(Tms9901Cru, TimerInterruptGoesThroughTheConsoleRoutine) {
    auto m = load_timer_program();
    const uint16_t isr = m->peek_word(6);
    unsigned entries = 0;
    ASSERT_EQ(m->run_stepping(10, true, [&] { entries += m->cpu().instruction_pc == isr; }),
              scree::StopReason::SelfJump);
    // The loop takes about 5000 * 36 cycles: some 28 timer periods, each
    // acknowledged once (the VDP's frames are masked).
    EXPECT_GE(entries, 25u);
    EXPECT_LE(entries, 32u);
    // The same without stepping.
    auto n = load_timer_program();
    ASSERT_EQ(n->run(10, true), scree::StopReason::SelfJump);
    EXPECT_EQ(n->cpu().cycles, m->cpu().cycles);
}

struct Tms9901Unit : ::testing::Test {
    scree::Keyboard keyboard;
    scree::Tms9901 chip{keyboard};
    void load_clock(uint16_t value, uint64_t now) {
        chip.write_bit(0, true, now);
        for (unsigned b = 1; b <= 14; ++b) chip.write_bit(b, (value >> (b - 1)) & 1, now);
        chip.write_bit(0, false, now);
    }
};

TEST_F(Tms9901Unit, DecrementerPeriodAndInterrupt) {
    load_clock(10, 1000);
    EXPECT_EQ(chip.decrementer(1000), 10);
    EXPECT_EQ(chip.decrementer(1000 + 64 * 3), 7);
    EXPECT_FALSE(chip.timer_interrupt(1000 + 64 * 10 - 1));
    EXPECT_TRUE(chip.timer_interrupt(1000 + 64 * 10));
    EXPECT_EQ(chip.decrementer(1000 + 64 * 10), 10) << "reloaded";
    EXPECT_FALSE(chip.interrupt_request(1000 + 64 * 10)) << "mask 3 off";
    EXPECT_EQ(chip.next_timer_event(1000), scree::kNoTimerEvent);
    chip.write_bit(3, true, 1000);
    EXPECT_EQ(chip.next_timer_event(1000), 1000u + 640);
    EXPECT_TRUE(chip.interrupt_request(1000 + 640));
    chip.write_bit(3, true, 1000 + 700);  // writing the mask clears it
    EXPECT_FALSE(chip.interrupt_request(1000 + 700));
    EXPECT_EQ(chip.next_timer_event(1000 + 700), 1000u + 1280);
    EXPECT_FALSE(chip.read_bit(3, 1000 + 1280)) << "INT3 reads the timer, low when it interrupts";
}

TEST_F(Tms9901Unit, ClockModeReadsTheFrozenCountAndPortsLeaveIt) {
    load_clock(0x1000, 0);
    chip.write_bit(0, true, 64 * 16);  // enter: 0x1000 - 16
    unsigned value = 0;
    for (unsigned b = 1; b <= 14; ++b) value |= chip.read_bit(b, 64 * 100) << (b - 1);
    EXPECT_EQ(value, 0x1000u - 16);
    EXPECT_TRUE(chip.clock_mode());
    (void)chip.read_bit(18, 64 * 100);
    EXPECT_FALSE(chip.clock_mode());
    EXPECT_TRUE(chip.read_bit(18, 0)) << "P2 reads high after reset";
    chip.write_bit(18, false, 0);
    EXPECT_FALSE(chip.read_bit(18, 0));
    EXPECT_EQ(chip.selected_column(), 6u);
}

TEST_F(Tms9901Unit, SoftwareResetClearsMasksAndPorts) {
    chip.write_bit(2, true, 0);
    chip.write_bit(19, false, 0);
    chip.write_bit(0, true, 0);
    chip.write_bit(15, false, 0);
    chip.write_bit(0, false, 0);
    EXPECT_FALSE(chip.vdp_interrupt_enabled());
    EXPECT_EQ(chip.selected_column(), 7u);
}

TEST_F(Tms9901Unit, UnconnectedInputsReadHigh) {
    for (unsigned bit : {1u, 11u, 12u, 13u, 14u, 15u, 27u}) EXPECT_TRUE(chip.read_bit(bit, 0)) << bit;
    EXPECT_TRUE(chip.read_bit(2, 0));
    chip.set_vdp_interrupt(true);
    EXPECT_FALSE(chip.read_bit(2, 0));
    EXPECT_TRUE(chip.read_bit(2 + 32, 0) == chip.read_bit(2, 0)) << "the chip repeats every 32 bits";
}

}  // namespace
