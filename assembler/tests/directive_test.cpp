// Origins, segments, space and names, read from the console symbol dump.
#include <gtest/gtest.h>

#include "tarn_test_support.hpp"

using tarn_test::Workspace;

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Directives, OriginsContinueTheirSegments) {
    Workspace ws;
    auto r = ws.assemble("       AORG >A000\n       DATA 1\n       RORG\nR1ST   DATA 2\n       AORG\nA2     DATA 3\n"
                         "       RORG 0\nAGAIN  DATA 4\n       END\n",
                         {"-s", "-L"});
    EXPECT_TRUE(has(r.console, "    A2      A002 ")) << r.console;
    EXPECT_TRUE(has(r.console, "' R1ST    0000 "));
    EXPECT_TRUE(has(r.console, "' AGAIN   0000 "));
    // The program segment counts both stretches.
    EXPECT_TRUE(has(r.listing, "  SEGMENT RORG     SIZE 00004 (>0004) BYTES"));
}

TEST(Directives, LabelsOfSpaceAndAlignment) {
    Workspace ws;
    auto r = ws.assemble("       AORG >100\nB1     BSS  5\nE1     EVEN\nLBL    BES  10\n       BYTE 1\nD1     DATA 2\n"
                         "       DORG LBL\nDUM    DATA 0\n       END\n");
    EXPECT_TRUE(has(r.console, "    B1      0100 ")) << r.console;
    EXPECT_TRUE(has(r.console, "    E1      0105 "));  // the label keeps the odd address
    EXPECT_TRUE(has(r.console, "    LBL     0110 "));  // BES names the end of the block
    EXPECT_TRUE(has(r.console, "    D1      0112 "));  // DATA aligns its label
    EXPECT_TRUE(has(r.console, "    DUM     0110 "));
    EXPECT_EQ(r.code, 0);
}

TEST(Directives, SegmentNesting) {
    Workspace ws;
    auto r = ws.assemble("       DSEG\n       CEND\n       PSEG\n       DEND\n       CSEG 'X'\n       PEND\n       CEND\n"
                         "       CSEG 'TOOLONG'\n       CEND\n       END\n");
    EXPECT_TRUE(has(r.console, "DEND ASSUMED - 0002"));
    EXPECT_TRUE(has(r.console, "PEND ASSUMED - 0004"));
    EXPECT_TRUE(has(r.console, "CEND ASSUMED - 0006"));
    EXPECT_TRUE(has(r.console, "SYNTAX ERROR - 0007"));
    EXPECT_TRUE(has(r.console, "SYNTAX ERROR - 0008"));

    std::string commons;
    for (int i = 0; i < 124; ++i) commons += "       CSEG 'C" + std::to_string(i) + "'\n       DATA " + std::to_string(i) + "\n       CEND\n";
    r = ws.assemble(commons + "       END\n");
    EXPECT_TRUE(has(r.console, "COM TABLE OVERFLOW - 0370")) << r.console;
    EXPECT_TRUE(has(r.object, "M0002C122  007C"));  // the 123rd named common
}

TEST(Directives, ExternalNames) {
    Workspace ws;
    auto r = ws.assemble("       DEF  A,B\n       REF  C,C\nA      DATA 1\nB      DATA 2\n       END  A\n");
    // Entry, then the names in declaration order.
    EXPECT_TRUE(has(r.object, "2000050000A     50002B     40000C     7"));
    r = ws.assemble("X      DATA 1\n       REF  X\n       DEF  R\n       REF  R\n       REF  C\n       END  C\n");
    // END naming a REF name is reported in both passes.
    EXPECT_TRUE(has(r.console, " PASS 1 ERRORS\n*****  INVALID REF - 0002\n*****  INVALID REF - 0004\n"
                               "*****  INVALID REF - 0006\n PASS 2 ERRORS\n*****  INVALID REF - 0006\n"));
    EXPECT_TRUE(has(r.console, "' X       0000 "));  // defined again by its label in pass 2
    r = ws.assemble("       REF  E\n       DEF  E\n       END  100\n");
    EXPECT_TRUE(has(r.console, " PASS 1 ERRORS\n*****  MULTIPLE SYMBOLS - 0002"));
    EXPECT_TRUE(has(r.console, "SYNTAX ERROR - 0003"));
}

TEST(Directives, EquAndForwardReferences) {
    Workspace ws;
    auto r = ws.assemble("X      EQU  Y+1\n       BSS  X\nY      EQU  4\nZ      EQU  $\nW      EQU  UNDEF\n       END\n", {"-L"});
    EXPECT_TRUE(has(r.console, "    X       0005 ")) << r.console;
    // Pass 1 reserved Y+1 with Y still 0: the passes disagree on Z.
    EXPECT_TRUE(has(r.console, "' Z       0005 "));
    EXPECT_EQ(r.object.substr(0, 5), "00001");
    EXPECT_TRUE(has(r.console, "UNDEFINED SYMBOL - 0005"));
    EXPECT_TRUE(has(r.listing, "  0005      0000  W      EQU  UNDEF"));
}

}  // namespace
