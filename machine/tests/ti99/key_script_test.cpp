// --keys read into chords: names, modifier combinations, joysticks, the
// character escapes, the frame timetable, and the messages for bad text.
#include <gtest/gtest.h>

#include "machine/ti99/key_map.hpp"
#include "machine/ti99/key_script.hpp"

namespace {

using scree::KeyChord;
using scree::KeyScript;

std::vector<KeyChord> chords(std::string_view text) {
    KeyScript script;
    std::string error;
    EXPECT_TRUE(scree::parse_key_script(text, script, error)) << text << ": " << error;
    return script.chords;
}

// "column,row" of each key and the modifiers, for one chord.
std::string describe(const KeyChord& c) {
    std::string out;
    for (const scree::MatrixKey& k : c.keys) out += std::to_string(k.column) + "," + std::to_string(k.row) + " ";
    return out + "m" + std::to_string(c.modifiers);
}

std::string parse_error(std::string_view text) {
    KeyScript script;
    std::string error;
    EXPECT_FALSE(scree::parse_key_script(text, script, error)) << text;
    return error;
}

TEST(KeyScript, NamesCombinationsJoysticksAndEscapes) {
    const auto c = chords("a{ENTER}{up}{Down}{LEFT}{RIGHT}{FCTN+3}{CTRL+A}{ctrl+shift+z}{SHIFT+x}{QUIT}"
                          "{J1:LEFT+FIRE}{J2:up}{{}{}}{@}{A}{CTRL+;}{FCTN++}{SHIFT+ENTER}\n");
    const std::vector<std::string> want = {
        "5,5 m0",  "0,2 m0",  "2,6 m2",  "1,7 m2",  "1,5 m2",     "2,5 m2",  "2,4 m2",
        "5,5 m4",  "5,7 m5",  "1,7 m1",  "0,0 m2",  "6,1 6,0 m0", "7,4 m0",  "3,5 m2",
        "4,5 m2",  "1,4 m1",  "5,5 m1",  "5,1 m4",  "0,0 m3",     "0,2 m1",  "0,2 m0",
    };
    ASSERT_EQ(c.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(describe(c[i]), want[i]) << "chord " << i;
}

TEST(KeyScript, FramesSpacingHoldWaitAndAt) {
    const auto c = chords("ab{c 10}{WAIT 4}d@100e{J1:FIRE 30}@200{ENTER}");
    const std::vector<uint64_t> frames = {1, 9, 17, 36, 100, 108, 200};
    const std::vector<uint64_t> holds = {3, 3, 10, 3, 3, 30, 3};
    ASSERT_EQ(c.size(), frames.size());
    for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_EQ(c[i].frame, frames[i]) << i;
        EXPECT_EQ(c[i].hold, holds[i]) << i;
    }
    // A key may go down right when the one before lets it.
    EXPECT_EQ(chords("a@9b")[1].frame, 9u);
    KeyScript script;
    std::string error;
    ASSERT_TRUE(scree::parse_key_script("x", script, error));
    ASSERT_TRUE(scree::parse_key_script("y", script, error));  // appended
    EXPECT_EQ(script.chords[1].frame, 9u);
    EXPECT_EQ(script.next_frame, 17u);
    EXPECT_TRUE(chords("").empty());
}

TEST(KeyScript, BadTextIsRefusedWithItsReason) {
    EXPECT_EQ(parse_error("ok\tno"), "the 99/4A keyboard has no key for the character code 9");
    EXPECT_EQ(parse_error("{ENTER"), "{ENTER has no closing }");
    EXPECT_EQ(parse_error("a}"), "a } without its {: type the character } as {}}");
    EXPECT_EQ(parse_error("{}x"), "{} names no key: type the character } as {}}");
    EXPECT_EQ(parse_error("me@home"), "@ needs a frame number, as in @120; type the character @ as {@}");
    EXPECT_EQ(parse_error("ab@5c"),
              "@5 is too early: the keys before it let the next key go down at frame 17 at the earliest");
    EXPECT_EQ(parse_error("@0a"), "@0 is too early: the keys before it let the next key go down at frame 1 at the earliest");
    EXPECT_EQ(parse_error("@99999999999"), "@99999999999: frames and counts go up to 1000000000");
    EXPECT_EQ(parse_error("{WAIT}"), "{WAIT}: give the frames to wait, as in {WAIT 10}");
    EXPECT_EQ(parse_error("{A 0}"), "{A 0}: a key is held 1 frame or more");
    EXPECT_EQ(parse_error("{A x}"), "{A x}: after the blank comes a number of frames (frames and counts go up to 1000000000)");
    EXPECT_EQ(parse_error("{J3:UP}"), "{J3:UP}: the joysticks are J1 and J2");
    EXPECT_EQ(parse_error("{J1:UP+JUMP}"), "{J1:UP+JUMP}: a joystick line is UP, DOWN, LEFT, RIGHT or FIRE, not 'JUMP'");
    EXPECT_EQ(parse_error("{CTRL+\t}"), "{CTRL+\t}: the 99/4A keyboard has no key for the character code 9");
    const std::string unknown = parse_error("{TAB}");
    EXPECT_EQ(unknown.substr(0, 27), "{TAB}: no key is called TAB");
    EXPECT_NE(unknown.find("ENTER SPACE UP DOWN LEFT RIGHT DEL"), std::string::npos) << unknown;
    EXPECT_EQ(parse_error("{FCTN+}").substr(0, 31), "{FCTN+}: no key is called FCTN+");
    EXPECT_EQ(parse_error("{WAIT 999999999}{WAIT 999999999}a"), "the keys run past frame 1000000000");
}

}  // namespace
