// --cart end to end: a ROM program of the test's own copies a program of
// three bank slices as fell's table describes; .M and .M+ images with
// their bank order; the console's start of the first program, of one
// named with --entry, or at an address; bad images and bad combinations.
#include <gtest/gtest.h>

#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

// A ROM program with a buffer of 256 bytes and two programs in its list.
constexpr std::string_view kRom = R"(       DEF  TABLE,BUFFER
       AORG >6000
       BYTE >AA,1,0,0
       DATA 0,PROGS,0,0
PROGS  DATA SECOND,COPY
       BYTE 5
       TEXT 'FIRST'
SECOND DATA 0,SHOW
       BYTE 6
       TEXT 'Second'
       EVEN
COPY   LWPI >8300
       LI   R1,TABLE+4
       MOV  @TABLE,R4
SLICE  MOV  *R1+,R2
       JEQ  START
       MOV  *R1+,R3
       CLR  *R4
       LI   R0,BUFFER
MOVE   MOVB *R0+,*R3+
       DEC  R2
       JNE  MOVE
       INCT R4
       CI   R1,TABLE+20
       JL   SLICE
START  MOV  @TABLE+2,R0
       B    *R0
* The second program writes R11 (where it may return) to >8300 and shows
* its name.
SHOW   MOV  R11,@>8300
       LI   R0,>4000
       SWPB R0
       MOVB R0,@>8C02
       SWPB R0
       MOVB R0,@>8C02
       LI   R1,SECOND+5
       LI   R2,6
SHOW1  MOVB *R1+,@>8C00
       DEC  R2
       JNE  SHOW1
       JMP  $
TABLE  DATA >6000,0,0,0,0,0,0,0,0,0
       AORG >7F00
BUFFER
       END
)";

// About 600 bytes at >A000: its text lies in the third slice.
constexpr std::string_view kProgram = R"(       DEF  START,SLAST
START  LWPI WS
       LI   R0,>4060          row 3
       SWPB R0
       MOVB R0,@>8C02
       SWPB R0
       MOVB R0,@>8C02
       LI   R1,MSG
       LI   R2,16
SHOW   MOVB *R1+,@>8C00
       DEC  R2
       JNE  SHOW
       JMP  $
WS     BSS  32
PAD    BSS  >200
MSG    TEXT 'ALL BANKS COPIED'
SLAST
       END
)";

struct Cart : ::testing::Test {
    static void SetUpTestSuite() {
        dir = new testkit::TempDir;
        ASSERT_EQ(scree_test::assemble(dir->path(), "rom", kRom).code, 0);
        ASSERT_EQ(scree_test::assemble(dir->path(), "prog", kProgram).code, 0);
        const auto l = scree_test::link(dir->path(), "cart", R"(.O >A000
.L prog.obj
.S PROG START SLAST
.P PROG
.L rom.obj
.M INV.BIN TABLE BUFFER
.M+ NORM.BIN TABLE BUFFER
.H-
.S SHORT.BIN >6000 >7000
)");
        ASSERT_EQ(l.code, 0) << l.console;
    }
    static void TearDownTestSuite() { delete dir; }

    struct Run {
        int code;
        std::string out, err;
        std::string row(size_t n) const {
            std::istringstream in(out);
            std::string line;
            for (size_t i = 0; i <= n && std::getline(in, line);) ++i;
            return line;
        }
    };
    static Run scree(std::vector<std::string> args) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        testkit::ScopedCwd cwd(dir->path());
        args.insert(args.begin(), {"--until-idle", "--screen", "--frames", "60"});
        const int code = scree::run_scree(args, con);
        return {code, out.str(), err.str()};
    }
    static testkit::TempDir* dir;
};
testkit::TempDir* Cart::dir = nullptr;

TEST_F(Cart, EachBankOrderStartsTheFirstProgramWhichCopiesAllSlices) {
    const Run inverted = scree({"--cart", "INV.BIN"});
    ASSERT_EQ(inverted.code, 0) << inverted.err;
    EXPECT_EQ(inverted.row(3), "ALL BANKS COPIED");
    const Run normal = scree({"--cart-order", "normal", "--cart", "NORM.BIN"});
    ASSERT_EQ(normal.code, 0) << normal.err;
    EXPECT_EQ(normal.row(3), "ALL BANKS COPIED");
    // The other order finds the header in every bank but copies the wrong slices.
    EXPECT_NE(scree({"--cart", "NORM.BIN"}).row(3), "ALL BANKS COPIED");
}

TEST_F(Cart, EntryNamesAProgramOfTheListOrAnAddress) {
    const Run named = scree({"--cart", "INV.BIN", "--entry", "SECOND", "--dump", ">8300,2"});
    ASSERT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(named.row(0), "Second");
    const size_t dump = named.out.find(">8300  ");
    ASSERT_NE(dump, std::string::npos) << named.out;
    EXPECT_LT(std::stoul(named.out.substr(dump + 7, 2), nullptr, 16), 0x20u) << "R11: a return into the console";
    const Run first = scree({"--cart", "INV.BIN", "--entry", "first"});
    EXPECT_EQ(first.row(3), "ALL BANKS COPIED");
    const Run address = scree({"--cart", "INV.BIN", "--entry", ">6022"});  // COPY
    EXPECT_EQ(address.row(3), "ALL BANKS COPIED") << address.err;
}

TEST_F(Cart, BadImagesAndCombinationsEndWithTheirReason) {
    testkit::write_bytes(dir->path() / "NOHEAD.BIN", std::string(0x2000, '\0'));
    const auto fails = [](std::vector<std::string> args, const std::string& message) {
        const Run r = scree(std::move(args));
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "scree: " + message + "\n");
        EXPECT_EQ(r.out, "");
    };
    fails({"--cart", "SHORT.BIN"},
          "SHORT.BIN: 4096 bytes: a cartridge image is 8 KB (8192 bytes), or two or four banks of 8 KB (16384 or 32768)");
    fails({"--cart", "NOHEAD.BIN"}, "NOHEAD.BIN: no cartridge header: >6000 of bank 0 holds >00, not >AA");
    fails({"--cart", "PROG", "--cart-order", "normal"},
          "PROG: 604 bytes: a cartridge image is 8 KB (8192 bytes), or two or four banks of 8 KB (16384 or 32768)");
    fails({"--cart", "INV.BIN", "--entry", "THIRD"},
          "--entry THIRD: INV.BIN lists no program of that name; its programs: FIRST, Second");
    fails({"--cart", "INV.BIN", "PROG"}, "--cart runs a cartridge on its own: give no FILE with it");
    fails({"--cart", "NONE.BIN"}, "NONE.BIN: does not exist");
    const Run order = scree({"--cart-order", "upside-down", "--cart", "INV.BIN"});
    EXPECT_EQ(order.code, 1);
    EXPECT_EQ(order.err.substr(0, 80),
              "scree: --cart-order upside-down: give inverted (fell's .M and .M-) or normal (.M");
}

}  // namespace
