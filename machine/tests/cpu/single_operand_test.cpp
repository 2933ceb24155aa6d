// Format 6 operations on data, formats 7 and 8. Branches and context
// switches are in context_test.cpp.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

TEST(SingleOperand, AbsoluteNegateInvert) {
    run_cases({
        // ABS: L> A> EQ of the operand before the change; OV for >8000;
        // C always cleared (no negation of a negative word carries).
        {"LI R1,>FFFE", 0, "ABS R1", "R1", {0x0002, L}},
        {"LI R1,5", C, "ABS R1", "R1", {0x0005, L | A}},
        {"LI R1,>8000", 0, "ABS R1", "R1", {0x8000, L | O}},
        {"CLR R1", L | A | C | O, "ABS R1", "R1", {0x0000, E}},
        {"SETO R1", P | X, "ABS R1", "R1", {0x0001, L | P | X}},
        // NEG: 0 - operand; C only when it is 0, OV when it is >8000.
        {"LI R1,1", 0, "NEG R1", "R1", {0xFFFF, L}},
        {"CLR R1", 0, "NEG R1", "R1", {0x0000, E | C}},
        {"LI R1,>8000", 0, "NEG R1", "R1", {0x8000, L | O}},
        {"SETO R1", P, "NEG R1", "R1", {0x0001, L | A | P}},
        // INV: L> A> EQ.
        {"LI R1,>00FF", C | O, "INV R1", "R1", {0xFF00, L | C | O}},
        {"SETO R1", 0, "INV R1", "R1", {0x0000, E}},
    });
}

TEST(SingleOperand, IncrementAndDecrement) {
    run_cases({
        {"LI R1,>7FFF", 0, "INC R1", "R1", {0x8000, L | O}},
        {"SETO R1", 0, "INC R1", "R1", {0x0000, E | C}},
        {"LI R1,5", P, "INC R1", "R1", {0x0006, L | A | P}},
        {"LI R1,>FFFE", 0, "INCT R1", "R1", {0x0000, E | C}},
        {"LI R1,>7FFF", 0, "INCT R1", "R1", {0x8001, L | O}},
        {"SETO R1", 0, "INCT R1", "R1", {0x0001, L | A | C}},
        // DEC adds >FFFF: carry unless the operand was 0.
        {"CLR R1", 0, "DEC R1", "R1", {0xFFFF, L}},
        {"LI R1,1", 0, "DEC R1", "R1", {0x0000, E | C}},
        {"LI R1,>8000", 0, "DEC R1", "R1", {0x7FFF, L | A | C | O}},
        {"LI R1,1", 0, "DECT R1", "R1", {0xFFFF, L}},
        {"LI R1,>8001", 0, "DECT R1", "R1", {0x7FFF, L | A | C | O}},
        {"LI R1,2", 0, "DECT R1", "R1", {0x0000, E | C}},
    });
}

TEST(SingleOperand, ClearSetSwapLeaveTheStatus) {
    run_cases({
        {"SETO R1", 0xFE00, "CLR R1", "R1", {0x0000, 0xFE00}},
        {"CLR R1", 0, "SETO R1", "R1", {0xFFFF, 0}},
        {"LI R1,>1234", E, "SWPB R1", "R1", {0x3412, E}},
    });
}

TEST(Immediate, RegisterImmediates) {
    run_cases({
        {"", C | O | P, "LI R1,>8000", "R1", {0x8000, L | C | O | P}},
        {"SETO R1", 0, "LI R1,0", "R1", {0x0000, E}},
        {"", 0, "LI R1,>7FFF", "R1", {0x7FFF, L | A}},
        {"SETO R1", 0, "AI R1,1", "R1", {0x0000, E | C}},
        {"LI R1,1", 0, "AI R1,>7FFF", "R1", {0x8000, L | O}},
        {"LI R1,>8000", 0, "AI R1,>FFFF", "R1", {0x7FFF, L | A | C | O}},
        {"LI R1,>1234", C, "ANDI R1,>00FF", "R1", {0x0034, L | A | C}},
        {"LI R1,>8000", 0, "ANDI R1,>7FFF", "R1", {0x0000, E}},
        {"LI R1,>1200", 0, "ORI R1,>0034", "R1", {0x1234, L | A}},
        {"CLR R1", O, "ORI R1,>8000", "R1", {0x8000, L | O}},
        // CI: the register compared with the immediate.
        {"LI R1,5", 0, "CI R1,3", "R1", {0x0005, L | A}},
        {"SETO R1", 0, "CI R1,1", "", {L}},
        {"LI R1,1", 0, "CI R1,>FFFF", "", {A}},
        {"LI R1,>1234", C | O | P, "CI R1,>1234", "", {E | C | O | P}},
    });
}

TEST(Immediate, WorkspaceStatusAndMask) {
    run_cases({
        {"", 0, "STWP R1", "R1", {0x8300, 0}},
        {"", 0xFE00, "STST R1", "R1", {0xFE00, 0xFE00}},
        {"", L | A, "LIMI 3", "", {L | A | 3}},
        {"", 0, "LIMI >FFF5", "", {5}},
        {"", L | C, "LIMI 7|RSET", "", {L | C}},
        {"", E, "LWPI >8340|STWP R0|LWPI >8300", "@>8340", {0x8340, E}},
        {"LI R1,>5A5A", 0xFE00, "CKON|CKOF|LREX", "R1", {0x5A5A, 0xFE00}},
    });
}

// Formats 7 and 8 do not decode every bit: the words below are not among
// the illegal opcodes and run as their instruction.
TEST(Immediate, BitsTheDecoderIgnores) {
    run_cases({
        {"", 0, "DATA >0211,>8000", "R1", {0x8000, L}},   // LI R1,>8000
        {"", E | C, "DATA >02D2", "R2", {E | C, E | C}},       // STST R2
        {"", 0, "DATA >030F,>0009", "", {9}},              // LIMI 9
        {"", 0, "LIMI 4|DATA >037F", "", {0}},             // RSET
        {"", E, "DATA >03BF,>03DF,>03E1", "", {E}},        // CKON CKOF LREX
        {"", 0, "DATA >02F5,>8360|STWP R0|LWPI >8300", "@>8360", {0x8360, 0}},  // LWPI
    });
}

}  // namespace
}  // namespace cpu_test
