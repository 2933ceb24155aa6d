#include "machine/picture/png.hpp"

#include <array>

#include "machine/picture/palette.hpp"

// The encoder's code lives in this file alone; its file functions are left
// out (files go through platform/).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace scree {

namespace {

constexpr int kChannels = 3;

// The encoder's least effort (its level 5) and the Sub filter on every row:
// the fastest settings, for files a few per cent larger.
void configure_encoder() {
    stbi_write_png_compression_level = 5;
    stbi_write_force_png_filter = 1;
}

void append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace

std::string encode_png(const Frame& frame) {
    static const bool configured = (configure_encoder(), true);
    (void)configured;
    std::array<uint8_t, Frame::kWidth * Frame::kHeight * kChannels> rgb;
    uint8_t* out = rgb.data();
    for (const uint8_t colour : frame.pixels) {
        const Rgb& c = kPalette[colour & 0x0F];
        *out++ = c.r;
        *out++ = c.g;
        *out++ = c.b;
    }
    std::string png;
    stbi_write_png_to_func(append, &png, Frame::kWidth, Frame::kHeight, kChannels, rgb.data(),
                           Frame::kWidth * kChannels);
    return png;
}

}  // namespace scree
