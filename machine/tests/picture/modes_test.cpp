// Each screen mode drawn by a TMS9900 program and compared with its
// expected picture.
#include <gtest/gtest.h>

#include "machine/picture/palette.hpp"
#include "machine/picture/render.hpp"
#include "machine/tests/picture/picture_check.hpp"

namespace {

using picture_test::check_picture;
using picture_test::picture_of;
using picture_test::run_vdp_program;

// Top half: sixteen bars 16 pixels wide, solid patterns of the groups 1 to
// 16 in colours 0 (the dark blue backdrop) to 15. Bottom half: a
// checkerboard of white on transparent (left) and of transparent on gray.
TEST(Modes, Graphics1PatternsInTheirGroupsColours) {
    auto m = run_vdp_program(R"(       LI   R6,>0840          solid patterns: chars 8, 16, ... 128
       LI   R7,16
SOLID  MOV  R6,R0
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       AI   R6,64
       DEC  R7
       JNE  SOLID
       LI   R0,>0C40          checkerboards: chars 136 and 144
       LI   R1,CHECK
       LI   R2,8
       BL   @COPY
       LI   R0,>0C80
       LI   R1,CHECK
       LI   R2,8
       BL   @COPY
       LI   R0,>0381          groups 1-16: colours 0-15 on black
       LI   R1,>0100
       LI   R2,16
       LI   R5,>1000
       BL   @SEQ
       LI   R0,>0391          groups 17 and 18
       LI   R1,COLS
       LI   R2,2
       BL   @COPY
       CLR  R6                rows 0-11: the bars
BARS   MOV  R6,R0
       LI   R1,ROW
       LI   R2,32
       BL   @COPY
       AI   R6,32
       CI   R6,384
       JNE  BARS
BOARDS MOV  R6,R0             rows 12-23: the checkerboards
       LI   R1,>8800
       LI   R2,16
       BL   @FILL
       MOV  R6,R0
       AI   R0,16
       LI   R1,>9000
       LI   R2,16
       BL   @FILL
       AI   R6,32
       CI   R6,768
       JNE  BOARDS
       JMP  DONE
REGS   BYTE >00,>C0,>00,>0E,>01,>06,>00,>04
CHECK  BYTE >AA,>55,>AA,>55,>AA,>55,>AA,>55
COLS   BYTE >F0,>0E
ROW    BYTE 8,8,16,16,24,24,32,32,40,40,48,48,56,56,64,64
       BYTE 72,72,80,80,88,88,96,96,104,104,112,112,120,120,128,128
       EVEN
)");
    EXPECT_EQ(scree::screen_mode(m->vdp()), scree::ScreenMode::Graphics1);
    EXPECT_EQ(check_picture(picture_of(*m), "graphics1"), "");
}

// White text on dark blue, 240 pixels wide between 8 columns of backdrop:
// rows 0-7 solid cells (the two low pattern bits are not shown), rows 8-15
// solid and blank cells in turn (stripes 6 pixels wide), rows 16-23 each
// cell's leftmost pixel column. The sprite is not drawn in text mode.
TEST(Modes, TextFortyColumnsOfSixPixels) {
    auto m = run_vdp_program(R"(       LI   R0,>0800          char 0 blank, 1 solid in 6 bits, 2 all 8 bits
       CLR  R1
       LI   R2,8
       BL   @FILL
       LI   R0,>0808
       LI   R1,>FC00
       LI   R2,8
       BL   @FILL
       LI   R0,>0810
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       LI   R0,>0818          char 3: the leftmost pixel
       LI   R1,>8000
       LI   R2,8
       BL   @FILL
       CLR  R0                rows 0-7: char 2
       LI   R1,>0200
       LI   R2,320
       BL   @FILL
       LI   R6,320            rows 8-15: chars 1 and 0 in turn
STRIPE MOV  R6,R0
       LI   R1,ALT
       LI   R2,40
       BL   @COPY
       AI   R6,40
       CI   R6,640
       JNE  STRIPE
       LI   R0,640            rows 16-23: char 3
       LI   R1,>0300
       LI   R2,320
       BL   @FILL
       LI   R0,>1800          a sprite, which text mode does not show
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       LI   R0,>1000
       LI   R1,SPRITE
       LI   R2,5
       BL   @COPY
       JMP  DONE
REGS   BYTE >00,>D0,>00,>0E,>01,>20,>03,>F4
SPRITE BYTE 99,100,0,>06,>D0
ALT    BYTE 1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0
       BYTE 1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0
       EVEN
)");
    EXPECT_EQ(scree::screen_mode(m->vdp()), scree::ScreenMode::Text);
    EXPECT_EQ(check_picture(picture_of(*m), "text"), "");
}

// Left half (name 0): 4x4 blocks in colours 1|2, 3|4 (upper and lower half
// of tile rows 0, 4, 8, ...), 5|6, 7|8 (rows 1, 5, ...), 9|10, 11|12, then
// 13|14, 15|backdrop (dark blue). Right half (name 1): dark yellow on tile
// rows 0-1 of every four, light blue on rows 2-3. A white sprite on top.
TEST(Modes, MulticolorBlocksByTileRow) {
    auto m = run_vdp_program(R"(       LI   R0,>0800
       LI   R1,NAME0
       LI   R2,16
       BL   @COPY
       CLR  R6
ROWS   MOV  R6,R0
       CLR  R1
       LI   R2,16
       BL   @FILL
       MOV  R6,R0
       AI   R0,16
       LI   R1,>0100
       LI   R2,16
       BL   @FILL
       AI   R6,32
       CI   R6,768
       JNE  ROWS
       LI   R0,>0840          sprite pattern 8: solid
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       LI   R0,>0300
       LI   R1,SPRITE
       LI   R2,5
       BL   @COPY
       JMP  DONE
REGS   BYTE >00,>C8,>00,>0E,>01,>06,>01,>04
NAME0  BYTE >12,>34,>56,>78,>9A,>BC,>DE,>F0
NAME1  BYTE >AA,>AA,>AA,>AA,>55,>55,>55,>55
SPRITE BYTE 89,124,8,>0F,>D0
       EVEN
)");
    EXPECT_EQ(scree::screen_mode(m->vdp()), scree::ScreenMode::Multicolor);
    EXPECT_EQ(check_picture(picture_of(*m), "multicolor"), "");
}

// Bitmap: names 0-255 in each third; patterns >F0 (top third), >CC and
// >AA; colours dark red on black (top), dark yellow on transparent (the
// cyan backdrop), and in the bottom third each pixel row in its own colour
// (2 to 9 on black). With register 3 at >BF and register 4 at >00 the
// masks give every third the first third's patterns and the thirds 0, 1, 0
// their colours.
constexpr std::string_view kBitmap = R"(       LI   R0,>1800          names 0-255, three times
       CLR  R1
       LI   R2,768
       LI   R5,>0100
       BL   @SEQ
       CLR  R0
       LI   R1,>F000
       LI   R2,>800
       BL   @FILL
       LI   R0,>0800
       LI   R1,>CC00
       LI   R2,>800
       BL   @FILL
       LI   R0,>1000
       LI   R1,>AA00
       LI   R2,>800
       BL   @FILL
       LI   R0,>2000
       LI   R1,>6100
       LI   R2,>800
       BL   @FILL
       LI   R0,>2800
       LI   R1,>A000
       LI   R2,>800
       BL   @FILL
       LI   R6,>3000
LINES  MOV  R6,R0
       LI   R1,LINECL
       LI   R2,8
       BL   @COPY
       AI   R6,8
       CI   R6,>3800
       JNE  LINES
       LI   R0,>3800          sprite pattern 0: solid
       LI   R1,>FF00
       LI   R2,8
       BL   @FILL
       LI   R0,>1B00
       LI   R1,SPRITE
       LI   R2,5
       BL   @COPY
       JMP  DONE
LINECL BYTE >21,>31,>41,>51,>61,>71,>81,>91
SPRITE BYTE 91,200,0,>0F,>D0
       EVEN
)";

TEST(Modes, BitmapThirdsWithTheirOwnPatternsAndColours) {
    auto m = run_vdp_program(std::string(kBitmap) + "REGS   BYTE >02,>C0,>06,>FF,>03,>36,>07,>07\n");
    EXPECT_EQ(scree::screen_mode(m->vdp()), scree::ScreenMode::Bitmap);
    EXPECT_EQ(check_picture(picture_of(*m), "bitmap"), "");
}

TEST(Modes, BitmapMasksOfRegisters3And4) {
    auto m = run_vdp_program(std::string(kBitmap) + "REGS   BYTE >02,>C0,>06,>BF,>00,>36,>07,>07\n");
    EXPECT_EQ(check_picture(picture_of(*m), "bitmap_masks"), "");
}

// Register 1 without >40 blanks the display: the backdrop (magenta) alone,
// sprites and all; a transparent backdrop is black.
TEST(Modes, BlankingAndTheBackdrop) {
    const std::string sprite = R"(       LI   R0,>0300
       LI   R1,SPRITE
       LI   R2,5
       BL   @COPY
       JMP  DONE
SPRITE BYTE 50,50,0,>0F,>D0
       EVEN
)";
    auto m = run_vdp_program(sprite + "REGS   BYTE >00,>80,>00,>0E,>01,>06,>00,>0D\n");
    scree::Frame frame = picture_of(*m);
    for (const uint8_t colour : frame.pixels) ASSERT_EQ(colour, 13);
    m->vdp().set_reg(7, 0x00);
    frame = picture_of(*m);
    for (const uint8_t colour : frame.pixels) ASSERT_EQ(colour, 0);
    EXPECT_EQ(scree::kPalette[0].r + scree::kPalette[0].g + scree::kPalette[0].b, 0);
}

}  // namespace
