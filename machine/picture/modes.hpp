// The background of each screen mode, drawn into a frame with colour 0
// already replaced by the backdrop.
#pragma once

#include "machine/picture/frame.hpp"
#include "machine/ti99/vdp.hpp"

namespace scree {

void draw_graphics1(const Vdp& vdp, Frame& frame);
void draw_text(const Vdp& vdp, Frame& frame);
void draw_multicolor(const Vdp& vdp, Frame& frame);
void draw_bitmap(const Vdp& vdp, Frame& frame);

// The sprites of every line, over the background.
void draw_sprites(const Vdp& vdp, Frame& frame);

}  // namespace scree
