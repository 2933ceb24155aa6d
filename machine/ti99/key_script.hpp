// What --keys types, read into chords on a frame timetable:
//   text             each character on its key ('\n' is ENTER)
//   {ENTER} {UP}     a key by name (key_for_name)
//   {FCTN+3}         modifiers FCTN, CTRL, SHIFT with a key: a letter (case
//   {CTRL+SHIFT+A}   ignored), another character, or a name
//   {J1:LEFT+FIRE}   joystick 1 or 2: UP DOWN LEFT RIGHT FIRE
//   {x}              the character x itself: {{} {}} {@}
//   {... N}          any of these held N frames instead of 3
//   {WAIT N}         N frames more before the next key
//   @N               the next key goes down at frame N
// A key goes down at its frame P, its modifiers a frame earlier; it is held
// 3 frames, its modifiers a frame longer; the next key may go down 8
// frames after P (hold + 5). The first key may go down at frame 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/ti99/keyboard.hpp"

namespace scree {

constexpr uint64_t kKeyHoldFrames = 3;
// Frames from one key going down to the next: modifiers of the key let go a
// frame after it, three frames with nothing down, the next key's modifiers.
constexpr uint64_t kKeySpacingFrames = 5;
constexpr uint64_t kFirstKeyFrame = 1;
constexpr uint64_t kMaxKeyFrame = 1'000'000'000;

struct KeyChord {
    uint64_t frame = 0;  // the keys go down
    uint64_t hold = kKeyHoldFrames;
    uint8_t modifiers = 0;  // KeyModifier bits, down a frame before the keys
    std::vector<MatrixKey> keys;
};

struct KeyScript {
    std::vector<KeyChord> chords;
    uint64_t next_frame = kFirstKeyFrame;  // the earliest frame for another key
};

// Reads text and appends its chords to script, from script.next_frame on.
// False with the reason (script then partly filled).
bool parse_key_script(std::string_view text, KeyScript& script, std::string& error);

}  // namespace scree
