// List-file layout: pages, listing levels, marks and the closing tables.
#include <gtest/gtest.h>

#include "tarn_test_support.hpp"

using tarn_test::Workspace;

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

int count(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const auto& l : lines) n += l.rfind(prefix, 0) == 0;
    return n;
}

TEST(Listing, PagesHoldFiftyNineStatementLines) {
    Workspace ws;
    std::string source;
    for (int i = 0; i < 120; ++i) source += "       DATA " + std::to_string(i) + "\n";
    auto lines = lines_of(ws.assemble(source + "       END\n").listing);
    ASSERT_EQ(count(lines, "\f"), 3);
    EXPECT_EQ(lines[2], std::string("VERSION 1.2/A") + std::string(47, ' ') + " PAGE 0001");
    EXPECT_EQ(lines[3].substr(0, 16), "  0001 0000 0000");
    EXPECT_EQ(lines[61].substr(0, 6), "  0059");
    EXPECT_EQ(lines[62], "\f");
    EXPECT_EQ(lines[64].substr(61), "PAGE 0002");
    EXPECT_EQ(lines[65].substr(0, 6), "  0060");
}

TEST(Listing, UnlistedLinesStillShowErrors) {
    Workspace ws;
    auto r = ws.assemble("       UNL\n       UNL\n       DATA 1+\n       LIST\n       DATA 2\n       LIST\n       DATA 3\n"
                         "       END\n");
    auto lines = lines_of(r.listing);
    EXPECT_EQ(count(lines, "  0001                   UNL"), 1);
    EXPECT_EQ(count(lines, "  0002"), 0);
    EXPECT_EQ(count(lines, "*****  SYNTAX ERROR - 0003"), 1);
    EXPECT_EQ(count(lines, "  0005"), 0);  // two UNL need two LIST
    EXPECT_EQ(count(lines, "  0006"), 1);
    EXPECT_EQ(count(lines, "  0007 0004 0003"), 1);
}

TEST(Listing, ValueMarksAndTables) {
    Workspace ws;
    auto r = ws.assemble("       DEF  P,UND\nP      DATA P\n       DSEG\nD      DATA D\n       DEND\n       CSEG 'C'\n"
                         "C      DATA C\n       CEND\n       AORG 6\nA      DATA A\n       DXOP SVC,1\n       END\n",
                         {"-L", "-S", "-s"});
    auto lines = lines_of(r.listing);
    EXPECT_EQ(count(lines, "  0002 0000 0000' P      DATA P"), 1);
    EXPECT_EQ(count(lines, "  0004 0000 0000\" D"), 1);
    EXPECT_EQ(count(lines, "  0007 0000 0000+ C"), 1);
    EXPECT_EQ(count(lines, "  0010 0006 0006  A"), 1);
    EXPECT_EQ(count(lines, "    A       0006    ' C       0000    ' D       0000    D P       0000  "), 1);
    EXPECT_EQ(count(lines, "  X SVC     0001    U UND     0000  "), 1);
    EXPECT_EQ(count(lines, "  SEGMENT AORG     SIZE 00002 (>0002) BYTES"), 1);
    EXPECT_EQ(count(lines, "  SEGMENT DORG"), 0);
    EXPECT_EQ(count(lines, "   THE FOLLOWING SYMBOLS ARE UNDEFINED:"), 1);
    EXPECT_EQ(count(lines, "  0000 ERRORS"), 1);  // an undefined DEF name is no error
    // The console dump: four names a line, the undefined DEF name marked D.
    EXPECT_NE(r.console.find("  D P       0000 \n  X SVC     0001   D UND     0000 \n"), std::string::npos) << r.console;
}

TEST(Listing, ChainLinksOnContinuationLines) {
    Workspace ws;
    auto lines = lines_of(ws.assemble("       REF  EXT\n       DATA EXT\n       B    @EXT\n       B    @EXT\n       END\n")
                              .listing);
    // A link to program address 0 shows no mark; other links do.
    EXPECT_EQ(count(lines, "       0004 0000 "), 1);
    EXPECT_EQ(count(lines, "       0008 0004'"), 1);
}

TEST(Listing, PassOneErrorsOpenTheirOwnPage) {
    Workspace ws;
    auto r = ws.assemble("X      DATA 1\nX      DATA 2\n       REF  X\n       END\n");
    auto lines = lines_of(r.listing);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[1], " Tarn Cross Assembler");
    EXPECT_EQ(lines[2], " PASS 1 ERRORS");
    EXPECT_EQ(lines[3], "*****  MULTIPLE SYMBOLS - 0002");
    EXPECT_EQ(lines[4], "*****  INVALID REF - 0003");
    EXPECT_EQ(r.console.find(" PASS 1 ERRORS\n*****  MULTIPLE SYMBOLS - 0002\n*****  INVALID REF - 0003\n"),
              r.console.find(" PASS 1 ERRORS"));
    EXPECT_EQ(r.code, 1);
}

TEST(Listing, MissingEndAndLinesAfterEnd) {
    Workspace ws;
    auto r = ws.assemble("       DATA 1\n");
    auto lines = lines_of(r.listing);
    EXPECT_EQ(count(lines, "  0002                   END"), 1);
    EXPECT_EQ(count(lines, "*****  END ASSUMED - 0002"), 1);
    ws.write("tail.a99", "       END\n");
    r = ws.assemble("       COPY \"tail.a99\"\n       DATA 7\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.object.find("B0007"), std::string::npos);
}

}  // namespace
