// Sprites over the background, line by line as the VDP shows them: the
// same evaluation that sets the status (at most four a line), the lower
// number in front, colour 0 drawing nothing.
#include <array>
#include <bit>

#include "machine/picture/modes.hpp"
#include "machine/ti99/sprites.hpp"

namespace scree {

namespace {

struct SpriteTable {
    const uint8_t* attributes;  // 32 entries of 4 bytes
    unsigned scale;             // 2 when magnified
};

// Each bit of a byte twice: the pixels of a magnified pattern byte.
constexpr std::array<uint16_t, 256> make_doubled() {
    std::array<uint16_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned bit = 0; bit < 8; ++bit)
            if (b & (1u << bit)) t[b] |= static_cast<uint16_t>(3u << (2 * bit));
    return t;
}
constexpr std::array<uint16_t, 256> kDoubled = make_doubled();

// One sprite's pixels on one line: the set bits of its row, pixel p at bit
// 31 - p, visited in turn.
void draw_sprite_line(const Vdp& vdp, const SpriteTable& s, unsigned n, unsigned line, uint8_t* out) {
    const uint8_t* a = s.attributes + 4 * n;
    const uint8_t colour = a[3] & 0x0F;
    if (colour == 0) return;
    const unsigned row = ((line - a[0] - 1u) & 0xFFu) / s.scale;
    uint32_t pixels = sprite_row_bits(vdp, n, row);
    if (s.scale == 2) pixels = static_cast<uint32_t>(kDoubled[pixels >> 24]) << 16 | kDoubled[(pixels >> 16) & 0xFF];
    const int x0 = sprite_x(vdp, n);
    while (pixels) {
        const int p = std::countl_zero(pixels);
        pixels &= ~(0x80000000u >> p);
        const int x = x0 + p;
        if (x >= 0 && x < static_cast<int>(Frame::kWidth)) out[x] = colour;
    }
}

}  // namespace

void draw_sprites(const Vdp& vdp, Frame& frame) {
    // 32 entries from a multiple of >80 never pass the end of VRAM.
    const SpriteTable s{&vdp.vram()[(vdp.reg(5) & 0x7Fu) * 0x80u], (vdp.reg(1) & 0x01) ? 2u : 1u};
    if (s.attributes[0] == kSpriteTerminator) return;
    for (unsigned line = 0; line < Frame::kHeight; ++line) {
        const LineSprites shown = evaluate_line(vdp, line);
        for (unsigned i = shown.count; i-- > 0;) draw_sprite_line(vdp, s, shown.index[i], line, frame.row(line));
    }
}

}  // namespace scree
