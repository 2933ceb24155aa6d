// Every addressing mode with word and byte operands: *R+ steps, indexing,
// odd addresses (a word uses the even address, a byte the low byte) and
// the workspace seen as memory.
#include <gtest/gtest.h>

#include "machine/tests/cpu/cpu_rig.hpp"

namespace cpu_test {
namespace {

// >B000 = >1234, >B002 = >5678 before each case.
std::string with_table(const std::string& setup) {
    return "LI R4,>1234|MOV R4,@>B000|LI R4,>5678|MOV R4,@>B002|" + setup;
}

TEST(Addressing, SourceModes) {
    run_cases({
        {with_table("LI R1,>B000"), 0, "MOV *R1,R2", "R2 R1", {0x1234, 0xB000, L | A}},
        {with_table("LI R1,>B000"), 0, "MOV *R1+,R2", "R2 R1", {0x1234, 0xB002, L | A}},
        {with_table("LI R1,>B000|CLR R2"), 0, "MOVB *R1+,R2", "R2 R1", {0x1200, 0xB001, L | A}},
        {with_table("LI R1,>B001|SETO R2"), 0, "MOVB *R1+,R2", "R2 R1", {0x34FF, 0xB002, L | A | P}},
        {with_table("LI R1,>B001"), 0, "MOV *R1+,R2", "R2 R1", {0x1234, 0xB003, L | A}},
        {with_table(""), 0, "MOV @>B002,R2", "R2", {0x5678, L | A}},
        {with_table("LI R1,>B000"), 0, "MOV @2(R1),R2", "R2", {0x5678, L | A}},
        {with_table("LI R1,>B004"), 0, "MOV @>FFFE(R1),R2", "R2", {0x5678, L | A}},
        {with_table("LI R1,>B001"), 0, "MOV @2(R1),R2", "R2", {0x5678, L | A}},
        {with_table(""), 0, "MOV @>B001,R2", "R2", {0x1234, L | A}},
        {with_table("CLR R2"), 0, "MOVB @>B001,R2", "R2", {0x3400, L | A | P}},
        {with_table("LI R1,>B002|CLR R2"), 0, "MOVB @1(R1),R2", "R2", {0x7800, L | A}},
        {with_table("LI R1,>B000"), 0, "MOV *R1+,R1", "R1", {0x1234, L | A}},
        {with_table("LI R1,>B000"), 0, "A *R1+,*R1+", "R1 @>B002", {0xB004, 0x68AC, L | A}},
        // The workspace is memory: *R and @ reach the registers.
        {"LI R1,>8306|LI R3,>4444", 0, "MOV *R1,R2", "R2", {0x4444, L | A}},
        {"LI R1,>12AB|CLR R2", 0, "MOVB @>8303,R2", "R2", {0xAB00, L | P}},
    });
}

TEST(Addressing, DestinationModes) {
    run_cases({
        {with_table("LI R1,>B000|LI R2,>AAAA"), 0, "MOV R2,*R1", "@>B000 R1", {0xAAAA, 0xB000, L}},
        {with_table("LI R1,>B000|LI R2,>AAAA"), 0, "MOV R2,*R1+", "@>B000 R1", {0xAAAA, 0xB002, L}},
        {with_table("LI R1,>B000|LI R2,>AA00"), 0, "MOVB R2,*R1+|MOVB R2,*R1+", "@>B000 R1", {0xAAAA, 0xB002, L}},
        {with_table("LI R2,>AB00"), 0, "MOVB R2,@>B003", "@>B002", {0x56AB, L | P}},
        {with_table("LI R2,>AB00"), 0, "MOVB R2,@>B002", "@>B002", {0xAB78, L | P}},
        {with_table("LI R2,>ABCD"), 0, "MOV R2,@>B003", "@>B002 @>B000", {0xABCD, 0x1234, L}},
        {with_table("LI R1,>B001|LI R2,>ABCD"), 0, "MOV R2,@2(R1)", "@>B002", {0xABCD, L}},
        {with_table("LI R1,>B000"), 0, "MOV R1,*R1+", "@>B000 R1", {0xB000, 0xB002, L}},
        {with_table("LI R1,>B000"), 0, "MOV *R1+,*R1+", "@>B002 R1", {0x1234, 0xB004, L | A}},
        {with_table("LI R1,>B000"), 0, "MOVB *R1+,*R1+", "@>B000 R1", {0x1212, 0xB002, L | A}},
        {with_table("LI R1,>B000"), 0, "AB *R1,@>B001", "@>B000", {0x1246, L | A | P}},
        {with_table(""), 0, "SB @>B003,@>B002", "@>B002", {0xDE78, L}},
        {with_table("LI R1,>B000"), 0, "INCT *R1+|INC *R1", "@>B000 @>B002 R1", {0x1236, 0x5679, 0xB002, L | A}},
        {"LI R1,>1200|LI R2,>0300", 0, "MOVB R2,@>8303", "R1", {0x1203, L | A}},
    });
}

// The TMS9900 reads every destination before it writes it, a byte as the
// whole word: what a memory-mapped device sees.
TEST(Addressing, DestinationsAreReadBeforeTheyAreWritten) {
    Rig rig;
    rig.load(R"(       AORG >A000
       LWPI >8300
       LI   R1,>ABCD
       MOV  R1,@>F000
       CLR  @>F002
       MOVB R1,@>F005
       C    @>F006,R1
       SETO *R2
DONE   JMP  DONE
       END
)");
    rig.bus.watch(0xF0FE, [] {});
    rig.bus.set_word(0xF004, 0x1234);
    rig.bus.set_word(0x8304, 0xF008);
    rig.run();
    EXPECT_EQ(rig.bus.device_reads, (std::vector<uint16_t>{0xF000, 0xF002, 0xF004, 0xF006, 0xF008}));
    EXPECT_EQ(rig.bus.word(0xF000), 0xABCD);
    EXPECT_EQ(rig.bus.word(0xF004), 0x12AB);
    EXPECT_EQ(rig.bus.word(0xF008), 0xFFFF);
}

}  // namespace
}  // namespace cpu_test
