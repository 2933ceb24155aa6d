// GPLLNK's services of our own console (character sets, tones), and the
// error return of GPLLNK for anything else and of XMLLNK always, counted
// as link errors.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"
#include "machine/ti99/grom.hpp"

namespace {

using scree_test::run_program;

std::vector<uint8_t> vram(scree::Machine& m, uint16_t first, size_t length) {
    const auto& v = m.vdp().vram();
    return {v.begin() + first, v.begin() + first + length};
}

// Each set loaded to the VDP address in >834A; the power-up left the whole
// character set at >0900 (code 32 on) to compare with. R5 to R8 keep the
// caller's status and >837C after each call.
TEST(Gpllnk, LoadsCharacterSetsWhereFacPoints) {
    auto m = run_program(R"(       LWPI WS
       LI   R0,>1000
       MOV  R0,@>834A
       BLWP @GPLLNK
       DATA >0016             standard characters
       STST R5
       MOVB @>837C,R6
       LI   R0,>2000
       MOV  R0,@>834A
       BLWP @GPLLNK
       DATA >004A             lower case
       LI   R0,>3000
       MOV  R0,@>834A
       SOCB @H20,@>837C
       BLWP @GPLLNK
       DATA >0018             small capitals
       STST R7
       MOVB @>837C,R8
DONE   JMP  DONE
H20    BYTE >20
       EVEN
WS     BSS  32
       END
)");
    EXPECT_EQ(vram(*m, 0x1000, 64 * 8), vram(*m, 0x0900, 64 * 8));
    EXPECT_EQ(vram(*m, 0x1200, 8), std::vector<uint8_t>(8, 0)) << "nothing past code 95";
    EXPECT_EQ(vram(*m, 0x2000, 31 * 8), vram(*m, 0x0B00, 31 * 8));
    EXPECT_EQ(vram(*m, 0x20F8, 8), std::vector<uint8_t>(8, 0)) << "nothing past code 126";
    // Small capitals: the standard characters but for A to Z, which are
    // smaller than the capitals and stand on the same baseline.
    EXPECT_EQ(vram(*m, 0x3000, 33 * 8), vram(*m, 0x0900, 33 * 8));
    EXPECT_EQ(vram(*m, 0x3000 + 59 * 8, 5 * 8), vram(*m, 0x0900 + 59 * 8, 5 * 8));
    for (unsigned letter = 0; letter < 26; ++letter) {
        const auto small = vram(*m, static_cast<uint16_t>(0x3000 + (33 + letter) * 8), 8);
        const auto capital = vram(*m, static_cast<uint16_t>(0x0900 + (33 + letter) * 8), 8);
        EXPECT_NE(small, capital) << char('A' + letter);
        EXPECT_EQ(small[0] | small[1] | small[7], 0) << char('A' + letter);
        EXPECT_NE(small[2], 0) << char('A' + letter);
        EXPECT_NE(small[6], 0) << char('A' + letter);
    }
    const uint16_t ws = m->cpu().wp;
    EXPECT_EQ(m->peek_word(static_cast<uint16_t>(ws + 10)) & 0x2000, 0) << "no EQ";
    EXPECT_EQ(m->peek(static_cast<uint16_t>(ws + 12)) & 0x20, 0);
    EXPECT_EQ(m->peek_word(static_cast<uint16_t>(ws + 14)) & 0x2000, 0);
    EXPECT_EQ(m->peek(static_cast<uint16_t>(ws + 16)) & 0x20, 0) << "the condition bit cleared";
    EXPECT_EQ(m->link_errors(), 0u);
}

// The accept tone, then the bad response tone 30 frames later: the
// interrupt routine plays their lists from our GROM.
TEST(Gpllnk, BeepAndHonkArePlayedByTheInterruptRoutine) {
    auto m = run_program(R"(       LWPI WS
       BLWP @GPLLNK
       DATA >0034
       LIMI 2
       SB   @>8379,@>8379
W1     CB   @>8379,@N30
       JL   W1
       BLWP @GPLLNK
       DATA >0036
       SB   @>8379,@>8379
W2     CB   @>8379,@N30
       JL   W2
       LIMI 0
DONE   JMP  DONE
N30    BYTE 30
       EVEN
WS     BSS  32
       END
)",
                         80);
    const auto& w = m->sound_writes();
    const std::vector<uint8_t> want = {0x80, 0x05, 0x91, 0x9F, 0x8C, 0x1F, 0xA0, 0x1E, 0x91, 0xB1, 0x9F, 0xBF};
    std::vector<uint8_t> got;
    for (const auto& s : w) got.push_back(s.value);
    ASSERT_EQ(got, want);
    const auto frames = [&](size_t a, size_t b) {
        return static_cast<double>(w[b].cycle - w[a].cycle) / scree::kCyclesPerFrame;
    };
    EXPECT_NEAR(frames(2, 3), 12, 0.5) << "the beep lasts 12 frames";
    EXPECT_NEAR(frames(9, 10), 18, 0.5) << "the honk 18";
    EXPECT_LT(w[0].cycle, 2 * scree::kCyclesPerFrame) << "the beep starts at the first interrupt";
    EXPECT_EQ(m->peek_word(0x83CC), scree::kBadResponseToneList + 12) << "the list ended after its last block";
    EXPECT_EQ(m->link_errors(), 0u);
}

TEST(Gpllnk, OtherRoutinesAndXmllnkTakeTheErrorReturnAndAreCounted) {
    auto m = run_program(R"(       LWPI WS
       BLWP @GPLLNK
       DATA >0010             no routine of ours
       STST R1
       MOVB @>837C,R2
       SB   @>837C,@>837C
       BLWP @XMLLNK
       DATA >1200             floating point: not ours
       STST R3
       MOVB @>837C,R4
DONE   JMP  DONE
WS     BSS  32
       END
)");
    const uint16_t ws = m->cpu().wp;
    EXPECT_NE(m->peek_word(static_cast<uint16_t>(ws + 2)) & 0x2000, 0) << "EQ after GPLLNK";
    EXPECT_EQ(m->peek(static_cast<uint16_t>(ws + 4)) & 0x20, 0x20);
    EXPECT_NE(m->peek_word(static_cast<uint16_t>(ws + 6)) & 0x2000, 0) << "EQ after XMLLNK";
    EXPECT_EQ(m->peek(static_cast<uint16_t>(ws + 8)) & 0x20, 0x20);
    EXPECT_EQ(m->link_errors(), 2u);
}

}  // namespace
