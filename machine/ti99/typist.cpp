#include "machine/ti99/typist.hpp"

#include "machine/ti99/key_map.hpp"

namespace scree {

namespace {
constexpr MatrixKey kModifierKeys[] = {keys::kShift, keys::kFctn, keys::kCtrl};
}  // namespace

bool Typist::type(std::string_view text, std::string& error) {
    KeyScript script;
    script.next_frame = next_frame_;
    if (!parse_key_script(text, script, error)) return false;
    play(script);
    return true;
}

void Typist::play(const KeyScript& script) {
    for (const KeyChord& chord : script.chords) queue(chord);
    next_frame_ = script.next_frame;
}

// Modifiers a frame before the keys and a frame after them.
void Typist::queue(const KeyChord& chord) {
    for (unsigned i = 0; i < 3; ++i)
        if (chord.modifiers & (1u << i)) events_.push_back({chord.frame - 1, kModifierKeys[i], true});
    for (const MatrixKey& k : chord.keys) events_.push_back({chord.frame, k, true});
    for (const MatrixKey& k : chord.keys) events_.push_back({chord.frame + chord.hold, k, false});
    for (unsigned i = 0; i < 3; ++i)
        if (chord.modifiers & (1u << i)) events_.push_back({chord.frame + chord.hold + 1, kModifierKeys[i], false});
}

void Typist::advance(uint64_t frame) {
    for (; next_ < events_.size() && events_[next_].frame <= frame; ++next_) {
        const Event& e = events_[next_];
        if (e.down)
            keyboard_.press(e.key);
        else
            keyboard_.release(e.key);
    }
}

}  // namespace scree
