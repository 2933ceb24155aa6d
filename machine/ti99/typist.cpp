#include "machine/ti99/typist.hpp"

namespace scree {

// Placeholder: the key map comes with the keyboard.
void Typist::frame() {
    if (position_ < text_.size()) ++position_;
}

}  // namespace scree
