// A frame as a PNG file: 256x192 pixels, indexed colour of 4 bits a pixel
// with the palette's sixteen colours, deflated by zlib, so that the bytes are
// the same on every host with the same zlib.
#pragma once

#include <string>

#include "machine/picture/frame.hpp"

namespace scree {

enum class PngEffort {
    Small,  // compressed as far as zlib goes: about 2 KB for a screen of text
    Fast,   // stored, not compressed (24.8 KB): a picture every frame
};

std::string encode_png(const Frame& frame, PngEffort effort = PngEffort::Small);

}  // namespace scree
