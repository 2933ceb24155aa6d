#include "machine/files/load_errors.hpp"

#include <cstdio>

namespace scree {

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, ">%04X", static_cast<unsigned>(value));
    return text;
}

std::string no_ram_at(uint16_t address) {
    const char* what = address < 0x2000   ? "the console ROM"
                       : address < 0x6000 ? "the peripheral cards' ROM space"
                       : address < 0x8000 ? "the cartridge space"
                                          : "the memory-mapped devices";
    return "it loads at " + hex(address) + ", where the machine has no RAM (" + what + ")";
}

}  // namespace scree
