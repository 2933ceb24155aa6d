// Sprites over the background, line by line as the VDP shows them: the
// same evaluation that sets the status (at most four a line), the lower
// number in front, colour 0 drawing nothing.
#include "machine/picture/modes.hpp"
#include "machine/ti99/sprites.hpp"

namespace scree {

namespace {

struct SpriteTable {
    const uint8_t* attributes;  // 32 entries of 4 bytes
    unsigned size;              // on screen: 8, 16 or 32 pixels
    unsigned scale;             // 2 when magnified
};

// One sprite's pixels on one line.
void draw_sprite_line(const Vdp& vdp, const SpriteTable& s, unsigned n, unsigned line, uint8_t* out) {
    const uint8_t* a = s.attributes + 4 * n;
    const uint8_t colour = a[3] & 0x0F;
    if (colour == 0) return;
    const unsigned row = ((line - a[0] - 1u) & 0xFFu) / s.scale;
    const uint32_t bits = sprite_row_bits(vdp, n, row);
    const int x0 = sprite_x(vdp, n);
    for (unsigned p = 0; p < s.size; ++p) {
        const int x = x0 + static_cast<int>(p);
        if (x >= 0 && x < static_cast<int>(Frame::kWidth) && ((bits << (p / s.scale)) & 0x80000000u))
            out[x] = colour;
    }
}

}  // namespace

void draw_sprites(const Vdp& vdp, Frame& frame) {
    // 32 entries from a multiple of >80 never pass the end of VRAM.
    const SpriteTable s{&vdp.vram()[(vdp.reg(5) & 0x7Fu) * 0x80u], sprite_size(vdp), (vdp.reg(1) & 0x01) ? 2u : 1u};
    if (s.attributes[0] == kSpriteTerminator) return;
    for (unsigned line = 0; line < Frame::kHeight; ++line) {
        const LineSprites shown = evaluate_line(vdp, line);
        for (unsigned i = shown.count; i-- > 0;) draw_sprite_line(vdp, s, shown.index[i], line, frame.row(line));
    }
}

}  // namespace scree
