// Format 2 jumps and format 5 shifts.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

struct JumpCase {
    const char* mnemonic;
    uint16_t status;
    bool taken;
};

// Each condition with the statuses that decide it, as the data manual
// defines them.
constexpr JumpCase kJumps[] = {
    {"JMP", 0, true},       {"JMP", 0xFE00, true},
    {"JLT", 0, true},       {"JLT", A, false},      {"JLT", E, false},     {"JLT", L | C | O | P, true},
    {"JLE", 0, true},       {"JLE", L, false},      {"JLE", L | E, true},  {"JLE", A, true},  {"JLE", L | A, false},
    {"JEQ", E, true},       {"JEQ", 0, false},      {"JEQ", L | A | C | O | P, false},
    {"JHE", L, true},       {"JHE", E, true},       {"JHE", 0, false},     {"JHE", A, false},
    {"JGT", A, true},       {"JGT", L, false},      {"JGT", L | A, true},
    {"JNE", 0, true},       {"JNE", E, false},
    {"JNC", 0, true},       {"JNC", C, false},
    {"JOC", C, true},       {"JOC", 0, false},
    {"JNO", 0, true},       {"JNO", O, false},
    {"JL", 0, true},        {"JL", L, false},       {"JL", E, false},      {"JL", A, true},
    {"JH", L, true},        {"JH", L | E, false},   {"JH", 0, false},      {"JH", A, false},
    {"JOP", P, true},       {"JOP", 0, false},
};

TEST(Jump, EveryConditionTakenAndNotTaken) {
    std::vector<Case> cases;
    for (const JumpCase& j : kJumps)
        cases.push_back({"", j.status, std::string(j.mnemonic) + " $+6|CLR R1|JMP $+4|SETO R1", "R1",
                         {j.taken ? uint16_t{0xFFFF} : uint16_t{0}, j.status}});
    run_cases(cases);
}

// Displacement +127 forward, then -128 back.
TEST(Jump, BothEdgesOfTheDisplacement) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
FAR    JMP  EDGE
BACK   LI   R2,>BBBB
       JMP  DONE
       BSS  248
EDGE   JMP  BACK
DONE   JMP  DONE
       END
)");
    EXPECT_EQ(rig.bus.word(0xA004), 0x107F);
    EXPECT_EQ(rig.bus.word(0xA104), 0x1080);
    rig.run();
    EXPECT_EQ(rig.bus.word(0x8304), 0xBBBB);
    EXPECT_EQ(rig.cpu.instructions, 6u);
    EXPECT_EQ(rig.cpu.illegal, 0u);
}

TEST(Shift, CountsCarryAndOverflow) {
    run_cases({
        // SLA: L> A> EQ C OV; OV when the sign changes at any step.
        {"LI R1,>4000", 0, "SLA R1,1", "R1", {0x8000, L | O}},
        {"LI R1,>1234", 0, "SLA R1,4", "R1", {0x2340, L | A | C | O}},
        {"LI R1,>C000", 0, "SLA R1,1", "R1", {0x8000, L | C}},
        {"LI R1,>1234", O | P, "SLA R1,1", "R1", {0x2468, L | A | P}},
        // A zero count takes R0's low four bits, 0 there meaning 16.
        {"LI R1,1|LI R0,3", 0, "SLA R1,0", "R1", {0x0008, L | A}},
        {"LI R1,1|LI R0,>0010", 0, "SLA R1,0", "R1", {0x0000, E | C | O}},
        {"LI R1,1|LI R0,>FFF2", 0, "SLA R1,0", "R1 R0", {0x0004, 0xFFF2, L | A}},
        {"LI R0,3", 0, "SLA R0,0", "R0", {0x0018, L | A}},
        // SRA, SRL, SRC: L> A> EQ C; OV and OP stay.
        {"LI R1,>8001", 0, "SRA R1,1", "R1", {0xC000, L | C}},
        {"LI R1,>8000|CLR R0", 0, "SRA R1,0", "R1", {0xFFFF, L | C}},
        {"LI R1,2", O | P, "SRA R1,1", "R1", {0x0001, L | A | O | P}},
        {"LI R1,>7FFF", 0, "SRA R1,15", "R1", {0x0000, E | C}},
        {"LI R1,>8018", 0, "SRL R1,4", "R1", {0x0801, L | A | C}},
        {"LI R1,>8000|CLR R0", 0, "SRL R1,0", "R1", {0x0000, E | C}},
        {"LI R1,>8000", C, "SRL R1,15", "R1", {0x0001, L | A}},
        {"LI R1,>1234", 0, "SRC R1,4", "R1", {0x4123, L | A}},
        {"LI R1,1", 0, "SRC R1,1", "R1", {0x8000, L | C}},
        {"LI R1,>8001|CLR R0", 0, "SRC R1,0", "R1", {0x8001, L | C}},
        {"LI R1,>8001|LI R0,>0011", O, "SRC R1,0", "R1", {0xC000, L | C | O}},
    });
}

}  // namespace
}  // namespace cpu_test
