// Sprite evaluation as the TMS9918A does it line by line: which sprites a
// scan line shows (at most four), the fifth sprite, and coincidence. The
// picture renderer uses the same evaluation.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class Vdp;

// Sprite terminator: a vertical position of >D0 ends the attribute table.
constexpr uint8_t kSpriteTerminator = 0xD0;
constexpr unsigned kSpriteCount = 32;
constexpr unsigned kSpritesPerLine = 4;
constexpr unsigned kScreenLines = 192;

struct LineSprites {
    std::array<uint8_t, kSpritesPerLine> index{};  // sprites shown, in priority order
    unsigned count = 0;
    bool fifth = false;       // a fifth sprite wanted this line
    uint8_t fifth_index = 0;  // its number
    uint8_t last_index = 0;   // the last sprite looked at
};

// Size of a sprite on screen in pixels (8, 16 or 32).
unsigned sprite_size(const Vdp& vdp);

// The sprites of one scan line (0 to 191).
LineSprites evaluate_line(const Vdp& vdp, unsigned line);

// The 16 pixels (32 when magnified) of sprite n's pattern on one of its
// rows, leftmost pixel in bit 31, unmagnified width in pattern bits.
uint32_t sprite_row_bits(const Vdp& vdp, unsigned n, unsigned row_in_sprite);

// Horizontal position of sprite n's left edge (early clock shifts 32 left).
int sprite_x(const Vdp& vdp, unsigned n);

// Status bits of one frame's sprite processing: 5S, C and the sprite number.
struct FrameSprites {
    bool fifth = false;
    uint8_t number = 0;
    bool coincidence = false;
};
FrameSprites evaluate_frame(const Vdp& vdp);

}  // namespace scree
