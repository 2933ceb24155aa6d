// One table of the TMS9900 instructions: mnemonic, opcode and the bits that
// select it, operand format, base clocks and the handler. decode() maps any
// opcode to its row; opcodes no row selects decode to the illegal row.
#pragma once

#include <cstdint>

namespace scree {

class Cpu;

// Operand layouts, as the data manual groups them.
enum class Format : uint8_t {
    TwoOperand,     // 1: general source, general destination
    Jump,           // 2: signed word displacement
    CruBit,         // 2: signed CRU bit displacement (SBO, SBZ, TB)
    RegisterDest,   // 3 and 9: general source, workspace register (COC, CZC, XOR, MPY, DIV)
    Xop,            // 9: general source, XOP number
    CruMulti,       // 4: general source, bit count (LDCR, STCR)
    Shift,          // 5: workspace register, shift count
    SingleOperand,  // 6: general operand
    NoOperand,      // 7
    RegisterImmediate,  // 8: register and immediate word (LI, AI, ANDI, ORI, CI)
    Immediate,      // 8: immediate word only (LWPI, LIMI)
    RegisterOnly,   // 8: register only (STWP, STST)
    Illegal,
};

using Handler = void (*)(Cpu& cpu, uint16_t opcode);

struct Instruction {
    const char* mnemonic;
    uint16_t opcode;  // the selecting bits
    uint16_t mask;    // which bits select it
    Format format;
    bool byte;        // operands are bytes
    uint8_t clocks;   // base clocks, memory cycles included (no wait states)
    Handler execute;
};

// The row for an opcode (every opcode has one; unused ones the illegal row).
const Instruction& decode(uint16_t opcode);

// The same table for the CPU's inner loop: rows[index[opcode]].
struct DecodeView {
    const uint8_t* index;
    const Instruction* rows;
};
DecodeView decode_view();

// Number of words (1 to 3) of the instruction with this opcode.
unsigned instruction_words(uint16_t opcode);

// The rows, for listing and tests; ends with the illegal row.
const Instruction* instruction_rows(unsigned& count);

}  // namespace scree
