// Assembles modules and links them with the linker of this project.
#include <gtest/gtest.h>

#include "linker/fell.hpp"
#include "tarn_test_support.hpp"

namespace {

TEST(LinkRoundTrip, ReferenceInFirstWordIsResolved) {
    tarn_test::Workspace ws;
    ws.write("main.a99",
             "       DEF  START,SLAST\n       REF  EXT\nSTART  DATA EXT\n       DATA >1234\n"
             "       B    @EXT\nSLAST  EQU  $\n       END\n");
    ws.write("lib.a99", "       DEF  EXT\nEXT    DATA >5555\n       END\n");
    ASSERT_EQ(ws.run({"-Imain.a99"}).code, 0);
    ASSERT_EQ(ws.run({"-Ilib.a99"}).code, 0);
    ws.write("build.lnk", ".L main.obj\n.L lib.obj\n.S OUT START SLAST\n");
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    ASSERT_EQ(run_fell({"-Lbuild.lnk"}, con), 0) << out.str();
    std::string prog = ws.read("OUT");
    ASSERT_EQ(prog.size(), 6u + 8u);
    // EXT lies right after the 8 bytes of main at >A000.
    EXPECT_EQ(prog.substr(6), std::string("\xA0\x08\x12\x34\x04\x60\xA0\x08", 8));
}

}  // namespace
