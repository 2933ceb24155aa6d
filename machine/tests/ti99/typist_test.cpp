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

// What the keyboard shows at frames 0 to n-1 for one key: K with its
// modifier, S the modifier alone, ! the key alone, . nothing.
std::string trace(scree::Typist& typist, const scree::Keyboard& kb, scree::MatrixKey key, scree::MatrixKey modifier,
                  unsigned frames) {
    std::string out;
    for (unsigned f = 0; f < frames; ++f) {
        typist.advance(f);
        out += kb.is_down(modifier) ? (kb.is_down(key) ? 'K' : 'S') : (kb.is_down(key) ? '!' : '.');
    }
    return out;
}

TEST(Typist, ModifiersLeadAndTrailTheKey) {
    scree::Keyboard kb;
    scree::Typist typist(kb);
    ASSERT_TRUE(typist.type("A"));
    EXPECT_EQ(trace(typist, kb, {5, 5}, scree::keys::kShift, 10), "SKKKS.....");
    EXPECT_TRUE(typist.done());
}

TEST(Typist, RepeatedKeysAreReleasedInBetweenAndBadTextIsRefused) {
    scree::Keyboard kb;
    scree::Typist typist(kb);
    std::string error;
    EXPECT_FALSE(typist.type("ok\tno", error));
    EXPECT_EQ(error, "the 99/4A keyboard has no key for the character code 9");
    EXPECT_TRUE(typist.done());
    ASSERT_TRUE(typist.type("ll"));
    EXPECT_EQ(trace(typist, kb, {1, 1}, scree::keys::kShift, 16), ".!!!.....!!!....");
    EXPECT_TRUE(typist.done());
}

TEST(Typist, TimedKeysHeldKeysJoysticksAndAppendedText) {
    scree::Keyboard kb;
    scree::Typist typist(kb);
    ASSERT_TRUE(typist.type("@3{CTRL+a 2}"));
    ASSERT_TRUE(typist.type("{J2:UP+FIRE}"));  // after the first: frame 3 + 2 + 5
    EXPECT_EQ(trace(typist, kb, {5, 5}, scree::keys::kCtrl, 8), "..SKKS..");
    std::string stick;
    for (unsigned f = 8; f < 15; ++f) {
        typist.advance(f);
        stick += kb.is_down({7, 4}) && kb.is_down({7, 0}) ? 'J' : kb.is_down({7, 4}) || kb.is_down({7, 0}) ? '?' : '.';
    }
    EXPECT_EQ(stick, "..JJJ..");
    EXPECT_TRUE(typist.done());
}

}  // namespace
