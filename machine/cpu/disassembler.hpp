// One instruction as tarn writes it, so that the text assembles back to the
// same words (registers as R0 to R15: assemble with -R). Words no
// instruction encodes this way come out as DATA.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace scree {

struct Disassembly {
    std::string mnemonic;  // "MOV", or "DATA"
    std::string operands;  // "R1,@>A000(R2)"
    unsigned words = 1;    // words the instruction takes (of DATA: those it lists)
};

using WordReader = std::function<uint16_t(uint16_t address)>;

Disassembly disassemble(uint16_t address, const WordReader& read);

// ">A000": four upper-case hex digits after '>'.
std::string hex_word(uint16_t value);

}  // namespace scree
