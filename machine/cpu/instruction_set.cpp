#include "machine/cpu/instruction_set.hpp"

#include <array>

#include "machine/cpu/handlers.hpp"

namespace scree {

namespace {

using namespace exec;
using F = Format;

// Bits that select each format's instructions; the others are operands or
// ignored. Formats 7 and 8 leave bits unused (bit 11 of format 8, bits 11-15
// of format 7 and of LWPI and LIMI); such words are outside the data
// manual's illegal ranges and run as the instruction they select.
constexpr uint16_t kF1 = 0xF000, kF2 = 0xFF00, kF3 = 0xFC00, kF5 = 0xFF00, kF6 = 0xFFC0,
                   kF7 = 0xFFE0, kF8 = 0xFFE0;

// clang-format off
constexpr Instruction kRows[] = {
    {"SZC",  0x4000, kF1, F::TwoOperand, false, 14, two_operand<alu::SetZerosCorresponding, false>},
    {"SZCB", 0x5000, kF1, F::TwoOperand, true,  14, two_operand<alu::SetZerosCorresponding, true>},
    {"S",    0x6000, kF1, F::TwoOperand, false, 14, two_operand<alu::Subtract, false>},
    {"SB",   0x7000, kF1, F::TwoOperand, true,  14, two_operand<alu::Subtract, true>},
    {"C",    0x8000, kF1, F::TwoOperand, false, 14, two_operand<alu::Compare, false>},
    {"CB",   0x9000, kF1, F::TwoOperand, true,  14, two_operand<alu::Compare, true>},
    {"A",    0xA000, kF1, F::TwoOperand, false, 14, two_operand<alu::Add, false>},
    {"AB",   0xB000, kF1, F::TwoOperand, true,  14, two_operand<alu::Add, true>},
    {"MOV",  0xC000, kF1, F::TwoOperand, false, 14, two_operand<alu::Move, false>},
    {"MOVB", 0xD000, kF1, F::TwoOperand, true,  14, two_operand<alu::Move, true>},
    {"SOC",  0xE000, kF1, F::TwoOperand, false, 14, two_operand<alu::SetOnesCorresponding, false>},
    {"SOCB", 0xF000, kF1, F::TwoOperand, true,  14, two_operand<alu::SetOnesCorresponding, true>},

    {"JMP",  0x1000, kF2, F::Jump, false, 8, jump},
    {"JLT",  0x1100, kF2, F::Jump, false, 8, jump},
    {"JLE",  0x1200, kF2, F::Jump, false, 8, jump},
    {"JEQ",  0x1300, kF2, F::Jump, false, 8, jump},
    {"JHE",  0x1400, kF2, F::Jump, false, 8, jump},
    {"JGT",  0x1500, kF2, F::Jump, false, 8, jump},
    {"JNE",  0x1600, kF2, F::Jump, false, 8, jump},
    {"JNC",  0x1700, kF2, F::Jump, false, 8, jump},
    {"JOC",  0x1800, kF2, F::Jump, false, 8, jump},
    {"JNO",  0x1900, kF2, F::Jump, false, 8, jump},
    {"JL",   0x1A00, kF2, F::Jump, false, 8, jump},
    {"JH",   0x1B00, kF2, F::Jump, false, 8, jump},
    {"JOP",  0x1C00, kF2, F::Jump, false, 8, jump},
    {"SBO",  0x1D00, kF2, F::CruBit, false, 12, set_bit_one},
    {"SBZ",  0x1E00, kF2, F::CruBit, false, 12, set_bit_zero},
    {"TB",   0x1F00, kF2, F::CruBit, false, 12, test_bit},

    {"COC",  0x2000, kF3, F::RegisterDest, false, 14, compare_ones},
    {"CZC",  0x2400, kF3, F::RegisterDest, false, 14, compare_zeros},
    {"XOR",  0x2800, kF3, F::RegisterDest, false, 14, exclusive_or},
    {"XOP",  0x2C00, kF3, F::Xop, false, 36, extended_operation},
    {"LDCR", 0x3000, kF3, F::CruMulti, false, 20, load_cru},
    {"STCR", 0x3400, kF3, F::CruMulti, false, 42, store_cru},
    {"MPY",  0x3800, kF3, F::RegisterDest, false, 52, multiply},
    {"DIV",  0x3C00, kF3, F::RegisterDest, false, 16, divide},

    {"SRA",  0x0800, kF5, F::Shift, false, 12, shift_right_arithmetic},
    {"SRL",  0x0900, kF5, F::Shift, false, 12, shift_right_logical},
    {"SLA",  0x0A00, kF5, F::Shift, false, 12, shift_left_arithmetic},
    {"SRC",  0x0B00, kF5, F::Shift, false, 12, shift_right_circular},

    {"BLWP", 0x0400, kF6, F::SingleOperand, false, 26, branch_and_load_workspace},
    {"B",    0x0440, kF6, F::SingleOperand, false, 8,  branch},
    {"X",    0x0480, kF6, F::SingleOperand, false, 8,  execute},
    {"CLR",  0x04C0, kF6, F::SingleOperand, false, 10, clear},
    {"NEG",  0x0500, kF6, F::SingleOperand, false, 12, negate},
    {"INV",  0x0540, kF6, F::SingleOperand, false, 10, invert},
    {"INC",  0x0580, kF6, F::SingleOperand, false, 10, add_constant<1>},
    {"INCT", 0x05C0, kF6, F::SingleOperand, false, 10, add_constant<2>},
    {"DEC",  0x0600, kF6, F::SingleOperand, false, 10, add_constant<0xFFFF>},
    {"DECT", 0x0640, kF6, F::SingleOperand, false, 10, add_constant<0xFFFE>},
    {"BL",   0x0680, kF6, F::SingleOperand, false, 12, branch_and_link},
    {"SWPB", 0x06C0, kF6, F::SingleOperand, false, 10, swap_bytes},
    {"SETO", 0x0700, kF6, F::SingleOperand, false, 10, set_ones},
    {"ABS",  0x0740, kF6, F::SingleOperand, false, 12, absolute},

    {"IDLE", 0x0340, kF7, F::NoOperand, false, 12, idle},
    {"RSET", 0x0360, kF7, F::NoOperand, false, 12, reset_mask},
    {"RTWP", 0x0380, kF7, F::NoOperand, false, 14, return_with_workspace},
    {"CKON", 0x03A0, kF7, F::NoOperand, false, 12, external},
    {"CKOF", 0x03C0, kF7, F::NoOperand, false, 12, external},
    {"LREX", 0x03E0, kF7, F::NoOperand, false, 12, external},

    {"LI",   0x0200, kF8, F::RegisterImmediate, false, 12, load_immediate},
    {"AI",   0x0220, kF8, F::RegisterImmediate, false, 14, add_immediate},
    {"ANDI", 0x0240, kF8, F::RegisterImmediate, false, 14, and_immediate},
    {"ORI",  0x0260, kF8, F::RegisterImmediate, false, 14, or_immediate},
    {"CI",   0x0280, kF8, F::RegisterImmediate, false, 14, compare_immediate},
    {"STWP", 0x02A0, kF8, F::RegisterOnly, false, 8, store_workspace_pointer},
    {"STST", 0x02C0, kF8, F::RegisterOnly, false, 8, store_status},
    {"LWPI", 0x02E0, kF8, F::Immediate, false, 10, load_workspace_pointer},
    {"LIMI", 0x0300, kF8, F::Immediate, false, 16, load_interrupt_mask},

    // >0000->01FF, >0320->033F, >0780->07FF and >0C00->0FFF.
    {"DATA", 0x0000, 0x0000, F::Illegal, false, 6, illegal},
};
// clang-format on

constexpr unsigned kRowCount = sizeof kRows / sizeof kRows[0];
static_assert(kRowCount < 256);

struct DecodeTable {
    std::array<uint8_t, 65536> row{};
    DecodeTable() {
        for (unsigned op = 0; op < 65536; ++op) {
            unsigned i = 0;
            while ((op & kRows[i].mask) != kRows[i].opcode) ++i;  // the last row matches all
            row[op] = static_cast<uint8_t>(i);
        }
    }
};

const DecodeTable& decode_table() {
    static const DecodeTable table;
    return table;
}

}  // namespace

const Instruction& decode(uint16_t opcode) { return kRows[decode_table().row[opcode]]; }

DecodeView decode_view() { return {decode_table().row.data(), kRows}; }

const Instruction* instruction_rows(unsigned& count) {
    count = kRowCount;
    return kRows;
}

unsigned instruction_words(uint16_t opcode) {
    // A symbolic or indexed operand (T = 2) takes one more word.
    const unsigned source = (opcode >> 4 & 3) == 2 ? 1 : 0;
    const unsigned destination = (opcode >> 10 & 3) == 2 ? 1 : 0;
    switch (decode(opcode).format) {
        case F::TwoOperand: return 1 + source + destination;
        case F::RegisterDest:
        case F::Xop:
        case F::CruMulti:
        case F::SingleOperand: return 1 + source;
        case F::RegisterImmediate:
        case F::Immediate: return 2;
        default: return 1;
    }
}

}  // namespace scree
