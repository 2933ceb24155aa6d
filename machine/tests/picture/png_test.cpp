// The PNG file: its header, and bytes that stay the same on every host.
#include <gtest/gtest.h>

#include "machine/picture/png.hpp"
#include "machine/tests/picture/picture_check.hpp"

namespace {

uint32_t big_endian(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
    return v;
}

// Sixteen bars of 16 pixels, colours 0 to 15.
scree::Frame palette_bars() {
    scree::Frame frame;
    for (unsigned y = 0; y < scree::Frame::kHeight; ++y)
        for (unsigned x = 0; x < scree::Frame::kWidth; ++x) frame.row(y)[x] = static_cast<uint8_t>(x / 16);
    return frame;
}

TEST(Png, IndexedOf256By192InThePalettesColours) {
    const std::string png = scree::encode_png(palette_bars());
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(big_endian(png, 16), 256u);
    EXPECT_EQ(big_endian(png, 20), 192u);
    EXPECT_EQ(png[24], 4) << "bits a pixel";
    EXPECT_EQ(png[25], 3) << "indexed colour";
    ASSERT_EQ(png.substr(33 + 4, 4), "PLTE");
    EXPECT_EQ(big_endian(png, 33), 48u) << "sixteen colours";
    EXPECT_EQ(png.substr(41 + 3 * 7, 3), "\x42\xEB\xF5") << "cyan";
    EXPECT_EQ(picture_test::check_picture(palette_bars(), "palette"), "");
}

// The committed file was written by the Linux build; the Windows build
// must write the same bytes. Each picture is compressed alone, whatever was
// compressed before it.
TEST(Png, SameBytesOnEveryHost) {
    scree::Frame noise;
    for (size_t i = 0; i < noise.pixels.size(); ++i) noise.pixels[i] = static_cast<uint8_t>(i * 7919 >> 5);
    (void)scree::encode_png(noise);
    EXPECT_EQ(scree::encode_png(palette_bars()), picture_test::expected_png("palette"));
}

}  // namespace
