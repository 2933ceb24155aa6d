#include "machine/ti99/screen_text.hpp"

namespace scree {

// Text mode is register 1 bit >10 (M1); the screen image table is at
// register 2 times >400.
std::string screen_text(const Vdp& vdp) {
    const bool text_mode = (vdp.reg(1) & 0x10) != 0;
    const unsigned columns = text_mode ? 40 : 32;
    const unsigned base = (vdp.reg(2) & 0x0F) * 0x400u;
    std::string out;
    for (unsigned row = 0; row < 24; ++row) {
        std::string line;
        for (unsigned col = 0; col < columns; ++col) {
            const uint8_t c = vdp.vram()[(base + row * columns + col) & (Vdp::kVramSize - 1)];
            line += c >= 32 && c <= 126 ? static_cast<char>(c) : '.';
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace scree
