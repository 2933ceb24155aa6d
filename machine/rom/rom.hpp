// Our console ROM and the Editor/Assembler utilities, assembled by tarn
// and linked by fell during the build (console.a99, utilities.a99).
#pragma once

#include <cstdint>
#include <span>

namespace scree {

constexpr uint16_t kConsoleRomAddress = 0x0000;
constexpr uint16_t kUtilitiesAddress = 0x2000;

// >0000->1FFF.
std::span<const uint8_t> console_rom();
// The low memory expansion as the Editor/Assembler leaves it, >2000->3FFF:
// pointers, utilities and the REF/DEF table.
std::span<const uint8_t> utilities_image();

}  // namespace scree
