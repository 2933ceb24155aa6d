// Types text on the keyboard matrix: one key pressed for a few frames, then
// released for a few, so that programs scanning once a frame see each key.
#pragma once

#include <cstdint>
#include <string>

#include "machine/ti99/keyboard.hpp"

namespace scree {

class Typist {
public:
    explicit Typist(Keyboard& keyboard) : keyboard_(keyboard) {}
    void type(std::string text) { text_ += std::move(text); }
    // Called at the end of every frame.
    void frame();
    bool done() const { return position_ >= text_.size() && !down_; }

private:
    Keyboard& keyboard_;
    std::string text_;
    size_t position_ = 0;
    unsigned wait_ = 0;
    bool down_ = false;
};

}  // namespace scree
