// --dump: memory as hex, 16 bytes a line with their characters.
#pragma once

#include <cstdint>
#include <string>

#include "machine/ti99/machine.hpp"

namespace scree {

// ">A000  02 E0 83 E0 ...  ..@." lines of the bytes from address on, as
// the CPU would read them without side effects (devices read as 0).
std::string memory_dump(const Machine& machine, uint16_t address, uint32_t length);

}  // namespace scree
