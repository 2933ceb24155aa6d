#include "machine/ti99/typist.hpp"

namespace scree {

size_t Typist::first_untypable(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (!key_for_char(text[i])) return i;
    return std::string_view::npos;
}

bool Typist::type(std::string_view text) {
    if (first_untypable(text) != std::string_view::npos) return false;
    text_ += text;
    return true;
}

void Typist::frame() {
    if (phase_frame_ == 0) {
        if (position_ >= text_.size()) return;
        current_ = *key_for_char(text_[position_++]);
        press_modifiers(keyboard_, current_.modifiers);
    } else if (phase_frame_ == kTypistLeadFrames) {
        keyboard_.press(current_.key);
    } else if (phase_frame_ == kTypistLeadFrames + kTypistHoldFrames) {
        keyboard_.release(current_.key);
    } else if (phase_frame_ == kTypistLeadFrames + kTypistHoldFrames + kTypistTrailFrames) {
        release_modifiers(keyboard_, current_.modifiers);
    }
    if (++phase_frame_ == kTypistFramesPerKey) phase_frame_ = 0;
}

}  // namespace scree
