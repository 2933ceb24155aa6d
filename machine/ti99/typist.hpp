// Types text on the keyboard matrix, one key at a time, in phases of whole
// frames (the keyboard changes only between frames):
//   modifiers down (1 frame), key down too (3 frames), key up (1 frame),
//   modifiers up and nothing pressed (3 frames).
// Eight frames a key: a program that scans once a frame, through KSCAN or
// the CRU, sees every key down in three scans and up in at least three, and
// a scan that spans a frame boundary never sees the key without its
// modifiers. The same key twice is released in between.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/ti99/key_map.hpp"

namespace scree {

constexpr unsigned kTypistLeadFrames = 1;
constexpr unsigned kTypistHoldFrames = 3;
constexpr unsigned kTypistTrailFrames = 1;
constexpr unsigned kTypistGapFrames = 3;
constexpr unsigned kTypistFramesPerKey = kTypistLeadFrames + kTypistHoldFrames + kTypistTrailFrames + kTypistGapFrames;

class Typist {
public:
    explicit Typist(Keyboard& keyboard) : keyboard_(keyboard) {}

    // Queues text; false (nothing queued) when a character has no key.
    bool type(std::string_view text);
    // The first character of text that has no key, or npos.
    static size_t first_untypable(std::string_view text);

    // Called at the end of every frame.
    void frame();
    bool done() const { return position_ >= text_.size() && phase_frame_ == 0; }

private:
    Keyboard& keyboard_;
    std::string text_;
    size_t position_ = 0;
    unsigned phase_frame_ = 0;  // frames into the current key, 0 between keys
    KeyStroke current_{};
};

}  // namespace scree
