// Table addresses and the backdrop that every mode reads from the registers.
#pragma once

#include <cstdint>

#include "machine/ti99/vdp.hpp"

namespace scree {

// The screen image table of graphics I, bitmap and multicolor: 32x24 names.
constexpr unsigned kTileColumns = 32;
constexpr unsigned kTileRows = 24;

struct ModeTables {
    unsigned names;     // screen image table: register 2 times >400
    unsigned patterns;  // pattern generator table: register 4 times >800
    uint8_t backdrop;   // register 7's low nibble
};

inline ModeTables mode_tables(const Vdp& vdp) {
    return {(vdp.reg(2) & 0x0Fu) * 0x400u, (vdp.reg(4) & 0x07u) * 0x800u, static_cast<uint8_t>(vdp.reg(7) & 0x0F)};
}

// Colour 0 is transparent: the backdrop shows through.
inline uint8_t shown(unsigned colour, uint8_t backdrop) {
    return colour ? static_cast<uint8_t>(colour) : backdrop;
}

}  // namespace scree
