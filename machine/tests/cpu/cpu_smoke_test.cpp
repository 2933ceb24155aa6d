#include <gtest/gtest.h>

#include "machine/tests/support/build_program.hpp"
#include "machine/ti99/machine.hpp"

namespace {

TEST(CpuSmoke, CountsDownAndStopsAtSelfJump) {
    testkit::TempDir dir;
    const std::string bin = scree_test::assemble_image(dir.path(), R"(       AORG >A000
       LWPI >8300
       LI   R1,1000
LOOP   DEC  R1
       JNE  LOOP
       LI   R2,>1234
DONE   JMP  DONE
       END
)", 0xA000, 0xA100);
    scree::Machine m;
    for (size_t i = 0; i < bin.size(); ++i) m.poke(static_cast<uint16_t>(0xA000 + i), static_cast<uint8_t>(bin[i]));
    m.cpu().pc = 0xA000;
    EXPECT_EQ(m.run(10, true), scree::StopReason::SelfJump);
    EXPECT_EQ(m.peek_word(0x8302), 0);
    EXPECT_EQ(m.peek_word(0x8304), 0x1234);
    EXPECT_EQ(m.cpu().instructions, 2u + 2000u + 2u);
    // Code in expansion RAM: four wait states per fetch. LWPI 10+8, LI 12+8,
    // DEC 10+4, JNE taken 10+4 / not 8+4, JMP 10+4.
    EXPECT_EQ(m.cpu().cycles, 18u + 20u + 1000u * 14u + 999u * 14u + 12u + 20u + 14u);
}

}  // namespace
