// Graphics I and bitmap (graphics II): 32x24 tiles of 8x8 pixels named by
// the screen image table; each pattern row in two colours.
#include "machine/picture/mode_tables.hpp"
#include "machine/picture/modes.hpp"
#include "machine/picture/pattern_expand.hpp"

namespace scree {

// One colour byte for each group of eight names.
void draw_graphics1(const Vdp& vdp, Frame& frame) {
    const auto& vram = vdp.vram();
    const auto& masks = pattern_masks();
    const ModeTables t = mode_tables(vdp);
    const unsigned colours = vdp.reg(3) * 0x40u;
    for (unsigned row = 0; row < kTileRows; ++row) {
        for (unsigned col = 0; col < kTileColumns; ++col) {
            const unsigned name = vram[t.names + row * kTileColumns + col];
            const uint8_t colour = vram[colours + name / 8];
            const uint8_t fg = shown(colour >> 4, t.backdrop);
            const uint8_t bg = shown(colour & 0x0F, t.backdrop);
            const uint8_t* pattern = &vram[t.patterns + name * 8];
            for (unsigned line = 0; line < 8; ++line)
                expand_pattern(frame.row(row * 8 + line) + col * 8, masks[pattern[line]], fg, bg);
        }
    }
}

// Each third of the screen has its own 256 patterns and colours, a colour
// byte for every pattern row. Register 3's bit >80 and register 4's bit >04
// place the tables at >0000 or >2000; their other bits mask the offset
// within the table (all ones for the plain layout).
void draw_bitmap(const Vdp& vdp, Frame& frame) {
    const auto& vram = vdp.vram();
    const auto& masks = pattern_masks();
    const ModeTables t = mode_tables(vdp);
    const unsigned pattern_base = (vdp.reg(4) & 0x04u) << 11;
    const unsigned pattern_mask = ((vdp.reg(4) & 0x03u) << 11) | 0x7FFu;
    const unsigned colour_base = (vdp.reg(3) & 0x80u) << 6;
    const unsigned colour_mask = ((vdp.reg(3) & 0x7Fu) << 6) | 0x3Fu;
    for (unsigned row = 0; row < kTileRows; ++row) {
        for (unsigned col = 0; col < kTileColumns; ++col) {
            const unsigned offset = (row / 8) * 0x800u + vram[t.names + row * kTileColumns + col] * 8u;
            for (unsigned line = 0; line < 8; ++line) {
                const uint8_t pattern = vram[pattern_base + ((offset + line) & pattern_mask)];
                const uint8_t colour = vram[colour_base + ((offset + line) & colour_mask)];
                expand_pattern(frame.row(row * 8 + line) + col * 8, masks[pattern], shown(colour >> 4, t.backdrop),
                               shown(colour & 0x0F, t.backdrop));
            }
        }
    }
}

}  // namespace scree
