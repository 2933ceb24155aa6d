#include "machine/run/memory_dump.hpp"

#include <cstdio>

namespace scree {

std::string memory_dump(const Machine& machine, uint16_t address, uint32_t length) {
    std::string out;
    for (uint32_t line = 0; line < length; line += 16) {
        const uint32_t first = address + line;
        const uint32_t count = length - line < 16 ? length - line : 16;
        char text[16];
        std::snprintf(text, sizeof text, ">%04X ", static_cast<unsigned>(first));
        out += text;
        std::string chars;
        for (uint32_t i = 0; i < 16; ++i) {
            if (i == 8) out += ' ';
            if (i >= count) {
                out += "   ";
                continue;
            }
            const uint8_t b = machine.peek(static_cast<uint16_t>(first + i));
            std::snprintf(text, sizeof text, " %02X", b);
            out += text;
            chars += b >= 32 && b <= 126 ? static_cast<char>(b) : '.';
        }
        out += "  ";
        out += chars;
        out += '\n';
    }
    return out;
}

}  // namespace scree
