// Sprites drawn by TMS9900 programs: sizes, magnification, the early clock,
// the end mark, transparency, priority and the four-a-line rule, with the
// status register agreeing with the picture.
#include <gtest/gtest.h>

#include "machine/tests/picture/picture_check.hpp"

namespace {

using picture_test::check_picture;
using picture_test::picture_of;
using picture_test::run_vdp_program;

// Graphics I with every colour transparent, so the dark blue backdrop fills
// the screen. Sprite pattern 4 is an F, 5 solid, 6 empty and 7 an F again,
// so a 16x16 sprite shows F, solid, empty and F in its quarters (top left,
// bottom left, top right, bottom right). Sprites: 0 white and 1 dark red on
// line 32; 2 green coming in from the top (vertical position >FC); 3 red
// cut off at the right edge (x 252); 4 cyan with the early clock at x 48,
// drawn at 16 above 5 light yellow at 16; 6 in colour 0 (not drawn); 7
// magenta with the early clock at x 8 (-24: seen only when 32 wide); then
// the >D0 end mark, so 9 (white, x 120) is not drawn.
std::string sprite_program(unsigned register1) {
    char regs[80];
    std::snprintf(regs, sizeof regs, "REGS   BYTE >00,>%02X,>00,>0E,>01,>06,>01,>04\n", register1);
    return std::string(R"(       LI   R0,>0380
       CLR  R1
       LI   R2,32
       BL   @FILL
       LI   R0,>0820
       LI   R1,PATS
       LI   R2,32
       BL   @COPY
       LI   R0,>0300
       LI   R1,ATTRS
       LI   R2,40
       BL   @COPY
       JMP  DONE
PATS   BYTE >FE,>80,>80,>FC,>80,>80,>80,>00
       BYTE >FF,>FF,>FF,>FF,>FF,>FF,>FF,>FF
       BYTE 0,0,0,0,0,0,0,0
       BYTE >FE,>80,>80,>FC,>80,>80,>80,>00
ATTRS  BYTE 31,16,4,>0F
       BYTE 31,64,4,>06
       BYTE >FC,112,4,>02
       BYTE 70,252,4,>08
       BYTE 110,48,4,>87
       BYTE 150,16,4,>0B
       BYTE 150,160,4,>00
       BYTE 110,8,4,>8D
       BYTE >D0,0,0,0
       BYTE 70,120,4,>0F
)") + regs;
}

struct SizeCase {
    const char* name;
    unsigned register1;
};

class SpriteSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SpriteSizes, DrawnAtTheirPlaces) {
    auto m = run_vdp_program(sprite_program(GetParam().register1));
    EXPECT_EQ(check_picture(picture_of(*m), GetParam().name), "");
}

INSTANTIATE_TEST_SUITE_P(Picture, SpriteSizes,
                         ::testing::Values(SizeCase{"sprites_8x8", 0xC0}, SizeCase{"sprites_8x8_magnified", 0xC1},
                                           SizeCase{"sprites_16x16", 0xC2},
                                           SizeCase{"sprites_16x16_magnified", 0xC3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Solid 8x8 sprites on a black backdrop. Line 50: sprites 0-3 (colours 2-5) and 4 (dark red,
// four lines lower) is the fifth on its top four lines, so only its bottom
// half shows. Line 100: sprite 5 (red) in front of 6 (white). Line 150:
// sprite 7 is transparent but still one of the four, so 11 (dark green) is
// the fifth and not drawn.
TEST(Sprites, FourALineInPriorityOrder) {
    auto m = run_vdp_program(R"(       LI   R0,>0380
       CLR  R1
       LI   R2,32
       BL   @FILL
       LI   R0,>0840
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       LI   R0,>0300
       LI   R1,ATTRS
       LI   R2,49
       BL   @COPY
       JMP  DONE
ATTRS  BYTE 49,20,8,>02
       BYTE 49,60,8,>03
       BYTE 49,100,8,>04
       BYTE 49,140,8,>05
       BYTE 53,180,8,>06
       BYTE 99,100,8,>08
       BYTE 103,104,8,>0F
       BYTE 149,20,8,>00
       BYTE 149,60,8,>09
       BYTE 149,100,8,>0A
       BYTE 149,140,8,>0B
       BYTE 149,180,8,>0C
       BYTE >D0
       EVEN
REGS   BYTE >00,>C0,>00,>0E,>01,>06,>01,>01
)");
    const uint8_t status = m->vdp().status();
    EXPECT_EQ(status & (scree::Vdp::kStatusFifth | scree::Vdp::kStatusNumber), scree::Vdp::kStatusFifth | 4)
        << "the first fifth sprite of the frame: 4";
    EXPECT_NE(status & scree::Vdp::kStatusCoincidence, 0) << "sprites 5 and 6 overlap";
    const scree::Frame frame = picture_of(*m);
    EXPECT_EQ(frame.at(180, 54), 1) << "sprite 4 is the fifth on line 54";
    EXPECT_EQ(frame.at(180, 58), 6) << "and the fourth on line 58";
    EXPECT_EQ(check_picture(frame, "sprites_four_a_line"), "");
}

}  // namespace
