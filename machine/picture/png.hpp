// A frame as a PNG file: 256x192 pixels of 8-bit RGB in the palette's
// colours, encoded by stb_image_write (Debian's libstb-dev), so that the
// bytes are the same on every host.
#pragma once

#include <string>

#include "machine/picture/frame.hpp"

namespace scree {

std::string encode_png(const Frame& frame);

}  // namespace scree
