// The key map and the typist's frames.
#include <gtest/gtest.h>

#include "machine/ti99/key_map.hpp"
#include "machine/ti99/typist.hpp"

namespace {

using scree::KeyStroke;
using scree::key_for_char;

void expect_key(char c, uint8_t column, uint8_t row, uint8_t modifiers) {
    const auto k = key_for_char(c);
    ASSERT_TRUE(k) << c;
    EXPECT_EQ(k->key.column, column) << c;
    EXPECT_EQ(k->key.row, row) << c;
    EXPECT_EQ(k->modifiers, modifiers) << c;
}

TEST(KeyMap, LettersDigitsSymbolsAndEnter) {
    expect_key('a', 5, 5, 0);
    expect_key('A', 5, 5, scree::kModShift);
    expect_key('m', 3, 0, 0);
    expect_key('0', 5, 3, 0);
    expect_key(')', 5, 3, scree::kModShift);
    expect_key(' ', 0, 1, 0);
    expect_key('=', 0, 0, 0);
    expect_key('+', 0, 0, scree::kModShift);
    expect_key('-', 5, 0, scree::kModShift);
    expect_key('?', 2, 2, scree::kModFctn);
    expect_key('\\', 5, 7, scree::kModFctn);
    expect_key('\n', 0, 2, 0);
    EXPECT_FALSE(key_for_char('\t'));
    EXPECT_FALSE(key_for_char('\0'));
    EXPECT_FALSE(key_for_char('\x80'));
    // Every printable ASCII character has a key.
    for (char c = 32; c < 127; ++c) EXPECT_TRUE(key_for_char(c)) << c;
}

TEST(Typist, ModifiersLeadAndTrailTheKey) {
    scree::Keyboard kb;
    scree::Typist typist(kb);
    ASSERT_TRUE(typist.type("A"));
    const scree::MatrixKey a{5, 5};
    std::string trace;
    for (unsigned f = 0; f < scree::kTypistFramesPerKey + 2; ++f) {
        typist.frame();
        trace += kb.is_down(scree::keys::kShift) ? (kb.is_down(a) ? 'K' : 'S') : (kb.is_down(a) ? '!' : '.');
    }
    EXPECT_EQ(trace, "SKKKS.....");
    EXPECT_TRUE(typist.done());
}

TEST(Typist, RepeatedKeysAreReleasedInBetweenAndBadTextIsRefused) {
    scree::Keyboard kb;
    scree::Typist typist(kb);
    EXPECT_FALSE(typist.type("ok\tno"));
    EXPECT_EQ(scree::Typist::first_untypable("ok\tno"), 2u);
    EXPECT_TRUE(typist.done());
    ASSERT_TRUE(typist.type("ll"));
    std::string trace;
    for (unsigned f = 0; f < 2 * scree::kTypistFramesPerKey; ++f) {
        typist.frame();
        trace += kb.is_down({1, 1}) ? 'L' : '.';
    }
    EXPECT_EQ(trace, ".LLL.....LLL....");
    EXPECT_TRUE(typist.done());
}

}  // namespace
