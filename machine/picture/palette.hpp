// The TMS9918A's sixteen colours as RGB.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

struct Rgb {
    uint8_t r, g, b;
};

// Colour 0 (transparent) shows what lies behind the picture: black.
extern const std::array<Rgb, 16> kPalette;

}  // namespace scree
