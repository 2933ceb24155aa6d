// --disassemble prints source that tarn assembles back to the same words.
#include <gtest/gtest.h>

#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

// Every instruction format and addressing mode, words no instruction
// encodes as they stand, bytes at odd ends, and code in two places.
const char* const kSource = R"(       DEF  START,SLAST
START  LWPI >8300
       MOV  R1,*R2
       MOVB *R3+,@>8C00
       A    @>1234(R4),@>5678(R5)
       SZCB @LABEL,R15
       C    *R6,*R7+
       COC  R1,R2
       CZC  @>0010,R3
       XOR  *R4+,R5
       XOP  @>2000,3
       MPY  R1,R2
       DIV  *R1,R3
       LDCR @>8300,8
       STCR R1,0
       SBO  7
       SBZ  127
       TB   0
       JMP  START
       JEQ  LABEL
       JOC  $
       SLA  R1,0
       SRC  R2,15
       LI   R3,>FFFF
       AI   R4,1
       CI   R5,-1
       STWP R6
       STST R7
       LIMI 2
       IDLE
       RSET
       RTWP
       CKON
       CKOF
       LREX
       BLWP @>0004
       B    *R11
       X    R1
       CLR  @LABEL(R9)
       ABS  R1
       SWPB R2
       SETO R3
       INV  R4
       NEG  R5
       INC  R6
       INCT R7
       DEC  R8
       DECT R9
       BL   @START
LABEL  DATA >0000,>0200,>0320,>0780,>0C00,>02A1
       TEXT 'AB'
       BYTE 1
       EVEN
SLAST  EQU  $
       AORG >2001
       BYTE >7F
       DATA >0460
       END
)";

TEST(Disassemble, TheListingAssemblesBackToTheSameWords) {
    testkit::TempDir dir;
    const scree_test::ToolRun a = scree_test::assemble(dir.path(), "all", kSource);
    ASSERT_EQ(a.code, 0) << a.console;
    const scree_test::ToolRun l = scree_test::link(dir.path(), "all", ".L all.obj\n.S ALL START SLAST\n");
    ASSERT_EQ(l.code, 0) << l.console;

    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    int code;
    {
        testkit::ScopedCwd cwd(dir.path());
        code = scree::run_scree({"--disassemble", "all.obj"}, con);
    }
    ASSERT_EQ(code, 0) << err.str();
    const scree_test::ToolRun back = scree_test::assemble(dir.path(), "back", out.str());
    ASSERT_EQ(back.code, 0) << back.console << out.str();
    const std::string all = testkit::read_bytes(dir / "ALL");
    char range[32];
    std::snprintf(range, sizeof range, ">A000 >%04X", static_cast<unsigned>(0xA000 + all.size() - 6));
    const scree_test::ToolRun relink =
        scree_test::link(dir.path(), "back", std::string(".L back.obj\n.S BACK ") + range + "\n.S LOW >2000 >2004\n");
    ASSERT_EQ(relink.code, 0) << relink.console;
    const scree_test::ToolRun first = scree_test::link(dir.path(), "first", ".L all.obj\n.S LOW0 >2000 >2004\n");
    ASSERT_EQ(first.code, 0) << first.console;
    EXPECT_EQ(testkit::read_bytes(dir / "BACK"), all) << out.str();
    EXPECT_EQ(testkit::read_bytes(dir / "LOW").substr(6), testkit::read_bytes(dir / "LOW0").substr(6)) << out.str();
}

}  // namespace
