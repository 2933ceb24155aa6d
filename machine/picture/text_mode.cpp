// Text mode: 40x24 characters of 6x8 pixels, the 6 leftmost bits of each
// pattern row, in the two colours of register 7; 240 pixels of text with
// 8 columns of backdrop on either side.
#include "machine/picture/mode_tables.hpp"
#include "machine/picture/modes.hpp"
#include "machine/picture/pattern_expand.hpp"

namespace scree {

namespace {

constexpr unsigned kColumns = 40;
constexpr unsigned kBorder = 8;
constexpr unsigned kCharWidth = 6;

}  // namespace

void draw_text(const Vdp& vdp, Frame& frame) {
    const auto& vram = vdp.vram();
    const auto& masks = pattern_masks();
    const ModeTables t = mode_tables(vdp);
    const uint8_t fg = shown(vdp.reg(7) >> 4, t.backdrop);
    for (unsigned y = 0; y < Frame::kHeight; ++y) {
        uint8_t* out = frame.row(y);
        const unsigned names = t.names + (y / 8) * kColumns;
        // Eight pixels each; the next character covers the last two.
        for (unsigned col = 0; col < kColumns; ++col) {
            const uint8_t pattern = vram[t.patterns + vram[names + col] * 8u + y % 8];
            expand_pattern(out + kBorder + col * kCharWidth, masks[pattern], fg, t.backdrop);
        }
        std::memset(out, t.backdrop, kBorder);
        std::memset(out + kBorder + kColumns * kCharWidth, t.backdrop, kBorder);
    }
}

}  // namespace scree
