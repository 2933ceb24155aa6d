// The cartridge slot: image sizes, and banks switched by writes to
// >6000 + 2 * n in inverted (.M, .M-) and normal (.M+) order.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"
#include "machine/ti99/cartridge.hpp"

namespace {

using scree::Cartridge;
using scree::kCartridgeBankSize;

// Bank k of the file holds 'A' + k at >6100.
std::vector<uint8_t> marked_image(unsigned banks) {
    std::vector<uint8_t> image(banks * kCartridgeBankSize);
    for (unsigned k = 0; k < banks; ++k) image[k * kCartridgeBankSize + 0x100] = static_cast<uint8_t>('A' + k);
    return image;
}

TEST(Cartridge, WholeBanksOfOneTwoOrFour) {
    for (size_t size : {0x2000, 0x4000, 0x8000}) EXPECT_TRUE(Cartridge::from_image(std::vector<uint8_t>(size), true));
    for (size_t size : {0, 0x1000, 0x2001, 0x6000, 0xA000, 0x10000})
        EXPECT_FALSE(Cartridge::from_image(std::vector<uint8_t>(size), false)) << size;
}

// Reads >6100 after writes to >6000, >6002, >6004, >6006, then >7FFE and
// >6008 (the selection repeats through the area); a write changes no byte.
std::string banks_seen(std::vector<uint8_t> image, bool inverted) {
    auto m = scree_test::load_program(R"(       LWPI WS
       LI   R3,SEEN
       MOVB @>6100,*R3+       at power-up
       LI   R1,>6000
NEXT   MOV  R1,*R1
       MOVB @>6100,*R3+
       INCT R1
       CI   R1,>6008
       JL   NEXT
       CLR  @>7FFE
       MOVB @>6100,*R3+
       CLR  @>6008
       MOVB @>6100,*R3+
DONE   JMP  DONE
WS     BSS  32
SEEN   BSS  8
       END
)");
    m->insert_cartridge(*Cartridge::from_image(std::move(image), inverted));
    EXPECT_EQ(m->run(5, true), scree::StopReason::SelfJump);
    std::string seen;
    for (uint16_t i = 0; i < 7; ++i) seen += static_cast<char>(m->peek(static_cast<uint16_t>(m->cpu().wp + 32 + i)));
    return seen;
}

TEST(Cartridge, WritesSelectBanksInTheOrderOfTheImage) {
    EXPECT_EQ(banks_seen(marked_image(4), true), "DDCBAAD") << ".M: bank 0 is the last 8K";
    EXPECT_EQ(banks_seen(marked_image(4), false), "AABCDDA") << ".M+: bank 0 is the first";
    EXPECT_EQ(banks_seen(marked_image(2), true), "BBABAAB");
    EXPECT_EQ(banks_seen(marked_image(1), true), "AAAAAAA");
}

}  // namespace
