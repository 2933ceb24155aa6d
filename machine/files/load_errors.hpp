// Wording shared by the loaders' messages.
#pragma once

#include <cstdint>
#include <string>

namespace scree {

// ">1FFA": '>' and four upper-case hex digits (five above >FFFF).
std::string hex(uint32_t value);

// Why nothing can be loaded at that address: what the console has there.
std::string no_ram_at(uint16_t address);

}  // namespace scree
