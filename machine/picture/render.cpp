#include "machine/picture/render.hpp"

#include "machine/picture/modes.hpp"

namespace scree {

namespace {

using DrawMode = void (*)(const Vdp&, Frame&);

// Indexed by ScreenMode.
constexpr DrawMode kDrawMode[] = {draw_graphics1, draw_text, draw_multicolor, draw_bitmap};

}  // namespace

ScreenMode screen_mode(const Vdp& vdp) {
    if (vdp.text_mode()) return ScreenMode::Text;
    if (vdp.multicolor_mode()) return ScreenMode::Multicolor;
    if (vdp.bitmap_mode()) return ScreenMode::Bitmap;
    return ScreenMode::Graphics1;
}

void render(const Vdp& vdp, Frame& frame) {
    if (!vdp.display_enabled()) {
        frame.pixels.fill(vdp.reg(7) & 0x0F);
        return;
    }
    const ScreenMode mode = screen_mode(vdp);
    kDrawMode[static_cast<unsigned>(mode)](vdp, frame);
    if (mode != ScreenMode::Text) draw_sprites(vdp, frame);
}

}  // namespace scree
