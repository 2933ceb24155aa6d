// One picture of the TMS9918A's active display: 256x192 colour numbers
// (1 to 15, or 0 where the backdrop itself is transparent), row by row.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

struct Frame {
    static constexpr unsigned kWidth = 256;
    static constexpr unsigned kHeight = 192;
    std::array<uint8_t, kWidth * kHeight> pixels{};

    uint8_t at(unsigned x, unsigned y) const { return pixels[y * kWidth + x]; }
    uint8_t* row(unsigned y) { return pixels.data() + y * kWidth; }
};

}  // namespace scree
