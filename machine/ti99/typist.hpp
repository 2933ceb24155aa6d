// Plays what --keys types on the keyboard matrix and the joysticks, on the
// frame timetable of a key script (key_script.hpp): the keyboard changes
// only between frames, so that a program that scans once a frame, through
// KSCAN or the CRU, sees every key down in three scans and up in three, and
// a scan that spans a frame boundary never sees a key without its
// modifiers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/ti99/key_script.hpp"

namespace scree {

class Typist {
public:
    explicit Typist(Keyboard& keyboard) : keyboard_(keyboard) {}

    // Queues text after what is queued; false with the reason when the text
    // is not a key script (nothing queued then).
    bool type(std::string_view text, std::string& error);
    bool type(std::string_view text) {
        std::string error;
        return type(text, error);
    }
    // Queues a script already read; it must start where more text would
    // (a new typist: a KeyScript as parse_key_script fills it by default).
    void play(const KeyScript& script);

    // The keyboard as it is from frame `frame` on (frames only go forward).
    void advance(uint64_t frame);
    bool done() const { return next_ >= events_.size(); }

private:
    struct Event {
        uint64_t frame;
        MatrixKey key;
        bool down;
    };
    void queue(const KeyChord& chord);

    Keyboard& keyboard_;
    uint64_t next_frame_ = kFirstKeyFrame;  // where more text starts
    std::vector<Event> events_;
    size_t next_ = 0;
};

}  // namespace scree
