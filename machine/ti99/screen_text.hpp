// The screen as text: 24 rows of 32 characters in graphics I, 40 in text
// mode; each byte of the screen image table as its character when it is 32
// to 126, else '.', trailing blanks removed, each row ending in '\n'.
#pragma once

#include <string>

#include "machine/ti99/vdp.hpp"

namespace scree {

std::string screen_text(const Vdp& vdp);

}  // namespace scree
