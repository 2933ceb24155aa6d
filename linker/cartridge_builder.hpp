// .M, .M- and .M+: a bank-switched 32 KB cartridge ROM image.
#pragma once

#include <string_view>

namespace fell {

struct LinkState;

// The text after the sign; cartridge_inverted is already set.
void cartridge_command(LinkState& s, std::string_view args);

}  // namespace fell
