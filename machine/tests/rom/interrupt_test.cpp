// The console's level-1 interrupt routine seen from a program that enables
// interrupts: the frame counter, the status copy, the user hook, sprite
// motion, sound lists, the disable bits, the screen timeout and QUIT.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"

namespace {

// The program's setup, then interrupts on until >8379 counts `frames`.
std::unique_ptr<scree::Machine> with_interrupts(std::string_view setup, unsigned frames) {
    char wait[160];
    std::snprintf(wait, sizeof wait,
                  "       SB   @>8379,@>8379\n       LIMI 2\nWAIT   CB   @>8379,@COUNT\n       JL   WAIT\n"
                  "       LIMI 0\nDONE   JMP  DONE\nCOUNT  BYTE %u\n       EVEN\n",
                  frames);
    return scree_test::run_program("       LWPI WS\n" + std::string(setup) + wait + R"(WS     BSS  32
HITS   DATA 0
HOOK   INC  @HITS
       B    *R11
       END
)",
                                   frames + 10);
}

uint16_t hits(scree::Machine& m) { return m.peek_word(static_cast<uint16_t>(m.cpu().wp + 32)); }

TEST(Interrupt, CountsFramesKeepsTheStatusAndCallsTheHook) {
    auto m = with_interrupts("       LI   R0,HOOK\n       MOV  R0,@>83C4\n", 5);
    EXPECT_EQ(m->peek(0x8379), 5);
    EXPECT_EQ(m->peek(0x837B) & 0x80, 0x80);
    EXPECT_EQ(hits(*m), 5);
    EXPECT_EQ(m->vdp().status() & 0x80, 0) << "the routine read the status";
    EXPECT_GE(m->frames(), 5u);
    EXPECT_LE(m->frames(), 6u);
}

// Sprite 0 moves one line down and one pixel left each frame.
constexpr std::string_view kMovingSprite = R"(       LI   R0,>0300
       LI   R1,SPRITE
       LI   R2,5
       BLWP @VMBW
       LI   R0,>0780
       LI   R1,MOVE
       LI   R2,4
       BLWP @VMBW
       MOVB @ONE,@>837A
       JMP  GO
SPRITE BYTE >10,>20,>41,>0F,>D0
MOVE   BYTE >10,>F0,0,0
ONE    BYTE 1
       EVEN
GO
)";

TEST(Interrupt, SpritesInMotionMoveEachFrame) {
    auto m = with_interrupts(kMovingSprite, 8);
    const auto& vram = m->vdp().vram();
    EXPECT_EQ(vram[0x300], 0x10 + 8);
    EXPECT_EQ(vram[0x301], 0x20 - 8);
    EXPECT_EQ(vram[0x302], 0x41);
}

TEST(Interrupt, DisableBitsStopMotionSoundAndQuitButNotTheCounter) {
    for (const char* flags : {">4000", ">8000"}) {
        auto m = with_interrupts(std::string(kMovingSprite) + "       LI   R0," + flags +
                                     "\n       MOV  R0,@>83C2\n       LI   R0,HOOK\n       MOV  R0,@>83C4\n",
                                 4);
        EXPECT_EQ(m->vdp().vram()[0x300], 0x10) << flags;
        EXPECT_EQ(m->peek(0x8379), 4) << flags;
        EXPECT_EQ(hits(*m), 4) << flags;
    }
}

// A sound list in VDP RAM: three bytes now, one more five frames later,
// then a wait of 0 ends it.
constexpr std::string_view kSoundList = R"(       LI   R0,>1000
       LI   R1,LIST
       LI   R2,7
       BLWP @VMBW
       LI   R0,>1000
       MOV  R0,@>83CC
       SOCB @ONE,@>83FD
       MOVB @ONE,@>83CE
       JMP  GO
LIST   BYTE 3,>9F,>BF,>DF,5,1,>FF,0
ONE    BYTE 1
       EVEN
GO
)";

TEST(Interrupt, SoundListsPlayBlockByBlock) {
    auto m = with_interrupts(kSoundList, 10);
    const auto& writes = m->sound_writes();
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].value, 0x9F);
    EXPECT_EQ(writes[1].value, 0xBF);
    EXPECT_EQ(writes[2].value, 0xDF);
    EXPECT_EQ(writes[3].value, 0xFF);
    const uint64_t gap = writes[3].cycle - writes[2].cycle;
    EXPECT_GT(gap, 4 * scree::kCyclesPerFrame);
    EXPECT_LT(gap, 6 * scree::kCyclesPerFrame);
    EXPECT_EQ(m->peek(0x83CE), 0) << "the list ended";
}

TEST(Interrupt, SoundFlagLeavesTheListAlone) {
    auto m = with_interrupts(std::string(kSoundList) + "       LI   R0,>2000\n       MOV  R0,@>83C2\n", 4);
    EXPECT_TRUE(m->sound_writes().empty());
}

TEST(Interrupt, ScreenTimeoutBlanksAndANewKeyRestoresTheScreen) {
    auto m = scree_test::load_program(R"(       LWPI WS
       LI   R0,>FFFE          one frame before the timeout
       MOV  R0,@>83D6
       LIMI 2
WAIT   MOV  @>83D6,R0
       JNE  WAIT
       LIMI 0
SCAN   BLWP @KSCAN
       CB   @>8375,@NOKEY
       JEQ  SCAN
DONE   JMP  DONE
NOKEY  BYTE >FF
       EVEN
WS     BSS  32
       END
)");
    EXPECT_EQ(m->run(3, true), scree::StopReason::Frames);
    EXPECT_EQ(m->vdp().reg(1), 0xA0) << "blanked";
    m->keyboard().press(5, 5);  // A
    EXPECT_EQ(m->run(4, true), scree::StopReason::SelfJump);
    EXPECT_EQ(m->vdp().reg(1), 0xE0) << "register 1 again from >83D4";
    EXPECT_EQ(m->peek_word(0x83D6), 0);
}

TEST(Interrupt, QuitKeyResetsTheMachine) {
    auto m = scree_test::load_program(R"(       LIMI 2
LOOP   INC  @>8300
       JMP  LOOP
       END
)");
    (void)m->run(3, true);
    m->keyboard().press(scree::keys::kFctn);
    m->keyboard().press(scree::keys::kEquals);
    EXPECT_EQ(m->run(40, true), scree::StopReason::SelfJump);
    EXPECT_LT(m->cpu().pc, 0x2000) << "back in the console's power-up";
    EXPECT_EQ(m->peek_word(0x8300), 0) << "power-up cleared the scratchpad";
}

}  // namespace
