// Multicolor: 64x48 blocks of 4x4 pixels. Each name's pattern holds two
// colour bytes for its tile (left block in the high nibble), chosen by the
// tile row: rows 4n to 4n+3 use pattern bytes 0-1, 2-3, 4-5 and 6-7.
#include <algorithm>

#include "machine/picture/mode_tables.hpp"
#include "machine/picture/modes.hpp"

namespace scree {

void draw_multicolor(const Vdp& vdp, Frame& frame) {
    const auto& vram = vdp.vram();
    const ModeTables t = mode_tables(vdp);
    for (unsigned row = 0; row < kTileRows; ++row) {
        for (unsigned col = 0; col < kTileColumns; ++col) {
            const unsigned name = vram[t.names + row * kTileColumns + col];
            const unsigned at = t.patterns + name * 8u + (row % 4) * 2u;
            for (unsigned half = 0; half < 2; ++half) {
                const uint8_t colours = vram[at + half];
                const uint8_t left = shown(colours >> 4, t.backdrop);
                const uint8_t right = shown(colours & 0x0F, t.backdrop);
                for (unsigned line = 0; line < 4; ++line) {
                    uint8_t* out = frame.row(row * 8 + half * 4 + line) + col * 8;
                    std::fill(out, out + 4, left);
                    std::fill(out + 4, out + 8, right);
                }
            }
        }
    }
}

}  // namespace scree
