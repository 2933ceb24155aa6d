#include "machine/ti99/sprites.hpp"

#include "machine/ti99/vdp.hpp"

namespace scree {

namespace {

unsigned attribute_base(const Vdp& vdp) { return (vdp.reg(5) & 0x7Fu) * 0x80u; }
unsigned pattern_base(const Vdp& vdp) { return (vdp.reg(6) & 0x07u) * 0x800u; }
bool magnified(const Vdp& vdp) { return vdp.reg(1) & 0x01; }
bool large(const Vdp& vdp) { return vdp.reg(1) & 0x02; }

uint8_t attribute(const Vdp& vdp, unsigned n, unsigned byte) {
    return vdp.vram()[(attribute_base(vdp) + 4 * n + byte) & (Vdp::kVramSize - 1)];
}

// Sprites exist only while the display is on and not in text mode.
bool sprites_active(const Vdp& vdp) { return vdp.display_enabled() && !vdp.text_mode(); }

}  // namespace

unsigned sprite_size(const Vdp& vdp) { return (large(vdp) ? 16u : 8u) * (magnified(vdp) ? 2u : 1u); }

// A sprite's first line is one below its vertical position; positions past
// >D0 count as negative, so the sprite comes in at the top.
LineSprites evaluate_line(const Vdp& vdp, unsigned line) {
    LineSprites out;
    const unsigned height = sprite_size(vdp);
    for (unsigned n = 0; n < kSpriteCount; ++n) {
        out.last_index = static_cast<uint8_t>(n);
        const uint8_t y = attribute(vdp, n, 0);
        if (y == kSpriteTerminator) break;
        const unsigned row = (line - y - 1u) & 0xFFu;
        if (row >= height) continue;
        if (out.count == kSpritesPerLine) {
            out.fifth = true;
            out.fifth_index = static_cast<uint8_t>(n);
            break;
        }
        out.index[out.count++] = static_cast<uint8_t>(n);
    }
    return out;
}

uint32_t sprite_row_bits(const Vdp& vdp, unsigned n, unsigned row_in_sprite) {
    const auto& vram = vdp.vram();
    unsigned name = attribute(vdp, n, 2);
    if (large(vdp)) name &= 0xFC;
    const unsigned at = pattern_base(vdp) + name * 8 + (row_in_sprite & 15);
    uint32_t bits = static_cast<uint32_t>(vram[at & (Vdp::kVramSize - 1)]) << 24;
    if (large(vdp)) bits |= static_cast<uint32_t>(vram[(at + 16) & (Vdp::kVramSize - 1)]) << 16;
    return bits;
}

int sprite_x(const Vdp& vdp, unsigned n) {
    const int x = attribute(vdp, n, 1);
    return (attribute(vdp, n, 3) & 0x80) ? x - 32 : x;
}

// Coincidence: two of a line's shown sprites set the same visible pixel,
// whatever their colours.
FrameSprites evaluate_frame(const Vdp& vdp) {
    FrameSprites out;
    if (!sprites_active(vdp)) return out;
    const unsigned height = sprite_size(vdp);
    const unsigned scale = magnified(vdp) ? 2 : 1;
    for (unsigned line = 0; line < kScreenLines; ++line) {
        const LineSprites ls = evaluate_line(vdp, line);
        if (ls.fifth && !out.fifth) {
            out.fifth = true;
            out.number = ls.fifth_index;
        }
        if (!out.fifth) out.number = ls.last_index;
        if (ls.count < 2 || out.coincidence) continue;
        std::array<uint8_t, 256> used{};
        for (unsigned i = 0; i < ls.count && !out.coincidence; ++i) {
            const unsigned n = ls.index[i];
            const unsigned row = ((line - attribute(vdp, n, 0) - 1u) & 0xFFu) / scale;
            const uint32_t bits = sprite_row_bits(vdp, n, row);
            const int x0 = sprite_x(vdp, n);
            for (unsigned p = 0; p < height; ++p) {
                const int x = x0 + static_cast<int>(p);
                if (x < 0 || x > 255 || !((bits << (p / scale)) & 0x80000000u)) continue;
                if (used[static_cast<unsigned>(x)]++) {
                    out.coincidence = true;
                    break;
                }
            }
        }
    }
    return out;
}

}  // namespace scree
