#include <gtest/gtest.h>

#include "machine/ti99/screen_text.hpp"

namespace {

TEST(ScreenText, GraphicsOneAtTheImageTableOfRegisterTwo) {
    scree::Vdp vdp;
    vdp.set_reg(1, 0xE0);
    vdp.set_reg(2, 0x01);  // >0400
    auto& v = vdp.vram();
    std::fill(v.begin() + 0x400, v.begin() + 0x700, ' ');
    const std::string hello = "HELLO";
    std::copy(hello.begin(), hello.end(), v.begin() + 0x400 + 32 * 2 + 3);
    v[0x400 + 32 * 2 + 31] = 0x80;  // not printable
    v[0x400 + 32 * 3] = '~';
    const std::string text = scree::screen_text(vdp);
    std::string expected = "\n\n   HELLO                       .\n~\n";
    for (int i = 4; i < 24; ++i) expected += '\n';
    EXPECT_EQ(text, expected);
}

TEST(ScreenText, TextModeHasFortyColumns) {
    scree::Vdp vdp;
    vdp.set_reg(1, 0xF0);
    vdp.set_reg(2, 0x00);
    auto& v = vdp.vram();
    std::fill(v.begin(), v.begin() + 960, ' ');
    v[39] = 'Z';       // end of row 0
    v[40] = 'a';       // start of row 1
    v[959] = '!';      // last position
    const std::string text = scree::screen_text(vdp);
    std::string expected = std::string(39, ' ') + "Z\na\n";
    for (int i = 2; i < 23; ++i) expected += '\n';
    expected += std::string(39, ' ') + "!\n";
    EXPECT_EQ(text, expected);
}

}  // namespace
