// Sprite status over a frame: the fifth sprite on a line, coincidence of
// pattern pixels, the terminator, and what the number field shows.
#include <gtest/gtest.h>

#include "machine/ti99/sprites.hpp"
#include "machine/ti99/vdp.hpp"

namespace {

struct Sprites : ::testing::Test {
    // Graphics I, 8x8 sprites: attributes at >0300, patterns at >0800;
    // pattern 1 is a solid block, pattern 2 a single pixel at the top left.
    void SetUp() override {
        const uint8_t regs[8] = {0x00, 0xE0, 0x00, 0x0E, 0x01, 0x06, 0x01, 0x07};
        for (unsigned i = 0; i < 8; ++i) vdp.set_reg(i, regs[i]);
        for (unsigned i = 0; i < 8; ++i) vdp.vram()[0x808 + i] = 0xFF;
        vdp.vram()[0x810] = 0x80;
        vdp.vram()[0x300] = scree::kSpriteTerminator;
    }
    void sprite(unsigned n, uint8_t y, uint8_t x, uint8_t pattern, uint8_t colour = 0x0F) {
        uint8_t* a = &vdp.vram()[0x300 + 4 * n];
        a[0] = y, a[1] = x, a[2] = pattern, a[3] = colour;
        a[4] = scree::kSpriteTerminator;
    }
    scree::Vdp vdp;
};

TEST_F(Sprites, FifthSpriteOnALineSetsTheFlagAndItsNumber) {
    for (unsigned n = 0; n < 4; ++n) sprite(n, 50, static_cast<uint8_t>(40 * n), 1);
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusFifth, 0);
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusNumber, 4) << "the last sprite looked at: the terminator";
    (void)vdp.read_status();
    sprite(4, 53, 200, 1);  // overlaps the others' lines 54 to 58
    sprite(5, 53, 220, 1);
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & (scree::Vdp::kStatusFifth | scree::Vdp::kStatusNumber), scree::Vdp::kStatusFifth | 4);
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    const scree::LineSprites line = scree::evaluate_line(vdp, 55);
    EXPECT_EQ(line.count, 4u);
    EXPECT_TRUE(line.fifth);
    EXPECT_EQ(line.fifth_index, 4);
}

TEST_F(Sprites, CoincidenceNeedsOverlappingPixelsOfShownSprites) {
    sprite(0, 10, 100, 2);
    sprite(1, 10, 101, 2);  // single pixels side by side: apart
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    sprite(1, 10, 100, 2, 0x00);  // the same pixel, transparent colour: still counts
    vdp.end_of_frame();
    EXPECT_NE(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    (void)vdp.read_status();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
}

TEST_F(Sprites, MagnificationAndEarlyClockMoveThePixels) {
    sprite(0, 10, 100, 1);
    sprite(1, 24, 108, 1);  // lines 25-32, x 108-115: clear of sprite 0
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    vdp.set_reg(1, 0xE1);  // magnified: sprite 0 now covers lines 11-26, x 100-115
    EXPECT_EQ(scree::sprite_size(vdp), 16u);
    vdp.end_of_frame();
    EXPECT_NE(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    (void)vdp.read_status();
    sprite(1, 24, 140, 1);  // x 140: clear again
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    sprite(1, 24, 140, 1, 0x8F);  // early clock: x 108
    EXPECT_EQ(scree::sprite_x(vdp, 1), 108);
    vdp.end_of_frame();
    EXPECT_NE(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
}

TEST_F(Sprites, NoSpritesWhenBlankedOrInTextMode) {
    sprite(0, 10, 100, 1);
    sprite(1, 10, 100, 1);
    vdp.set_reg(1, 0xA0);
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    vdp.set_reg(1, 0xF0);
    vdp.end_of_frame();
    EXPECT_EQ(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
    vdp.set_reg(1, 0xE0);
    vdp.end_of_frame();
    EXPECT_NE(vdp.status() & scree::Vdp::kStatusCoincidence, 0);
}

TEST_F(Sprites, SpritesAboveTheTopComeInFromLineZero) {
    sprite(0, 0xFC, 0, 1);  // rows 3 to 7 on lines 0 to 4
    EXPECT_EQ(scree::evaluate_line(vdp, 0).count, 1u);
    EXPECT_EQ(scree::evaluate_line(vdp, 4).count, 1u);
    EXPECT_EQ(scree::evaluate_line(vdp, 5).count, 0u);
    sprite(0, 0xFF, 0, 1);  // -1: lines 0 to 7
    EXPECT_EQ(scree::evaluate_line(vdp, 7).count, 1u);
    EXPECT_EQ(scree::evaluate_line(vdp, 8).count, 0u);
}

}  // namespace
