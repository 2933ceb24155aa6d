// The picture of the VDP's state as the display shows it: the mode that
// registers 0 and 1 select, the sprites over it, the backdrop colour of
// register 7 where nothing else is drawn, or the backdrop alone while
// register 1 blanks the display.
#pragma once

#include "machine/picture/frame.hpp"
#include "machine/ti99/vdp.hpp"

namespace scree {

enum class ScreenMode : uint8_t { Graphics1, Text, Multicolor, Bitmap };

// The mode bits M1 (text), M2 (multicolor) and M3 (bitmap). Combinations
// the data manual leaves undefined draw as text when M1 is set, else as
// multicolor when M2 is set.
ScreenMode screen_mode(const Vdp& vdp);

void render(const Vdp& vdp, Frame& frame);

}  // namespace scree
