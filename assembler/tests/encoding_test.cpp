// Instruction words and directive effects, read back from the object file.
#include <gtest/gtest.h>

#include "tarn_test_support.hpp"

using tarn_test::records;
using tarn_test::Workspace;

namespace {

// The data fields of the first record after the header and load address.
std::string words_of(const std::string& object) {
    std::string rec = records(object).at(0);
    rec = rec.substr(13);                      // module header
    rec = rec.substr(0, rec.size() - 6);       // checksum and end tag
    return rec;
}

struct Case {
    const char* source;
    const char* fields;
};

class Encoding : public testing::TestWithParam<Case> {};

TEST_P(Encoding, Words) {
    Workspace ws;
    const Case& c = GetParam();
    auto r = ws.assemble(std::string("A      EQU  >100\nB      EQU  >200\nX      EQU  >300\n") + c.source + "\n       END\n",
                         {"-R"});
    EXPECT_EQ(words_of(r.object), c.fields) << c.source << "\n" << r.console;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Encoding,
    testing::Values(Case{"       MOV  @A(R1),@B", "A0000BC821B0100B0200"},
                    Case{"       MOV  *R1+,*R2", "A0000BC4B1"},
                    Case{"       MOV  @A(R0),R1", "A0000BC060B0100"},
                    Case{"       SZCB R3,*R4", "A0000B5503"},
                    Case{"       JMP  $", "A0000B10FF"},
                    Case{"       JEQ  $+256", "A0000B137F"},
                    Case{"       JNE  $+258", "A0000B1600"},
                    Case{"       AORG >1000\n       JLT  $-254", "91000B1180"},
                    Case{"       SBO  127", "A0000B1D7F"},
                    Case{"       TB   -1", "A0000B1F00"},
                    Case{"       COC  @A,R5", "A0000B2160B0100"},
                    Case{"       XOR  *R1,*R2", "A0000B2891"},
                    Case{"       MPY  R1,R2", "A0000B3881"},
                    Case{"       XOP  @A(R2),15", "A0000B2FE2B0100"},
                    Case{"       LDCR @X,16", "A0000B3020B0300"},
                    Case{"       STCR R1,8", "A0000B3601"},
                    Case{"       LDCR R1", "A0000B3000"},
                    Case{"       SLA  R1,0", "A0000B0A01"},
                    Case{"       SRC  R2,15", "A0000B0BF2"},
                    Case{"       SRL  *R2,16", "A0000B0902"},
                    Case{"       BLWP @A", "A0000B0420B0100"},
                    Case{"       DIVS *R3+", "A0000B01B3"},
                    Case{"       CLR  R1,R2", "A0000B04C1"},
                    Case{"       RTWP ignored", "A0000B0380"},
                    Case{"       RT", "A0000B045B"},
                    Case{"       NOP", "A0000B1000"},
                    Case{"       LI   R1,'a'", "A0000B0201B0041"},
                    Case{"       LI   R1,@X", "A0000B0201B0000"},
                    Case{"       AI   R16,1", "A0000B0220B0001"},
                    Case{"       LWPI A", "A0000B02E0B0100"},
                    Case{"       LIMI 2,3", "A0000B0300B0002"},
                    Case{"       STWP R10", "A0000B02AA"},
                    Case{"       LST  R15", "A0000B008F"},
                    Case{"       LWP  R1", "A0000B0091"},
                    Case{"       DATA ' '", "A0000B0020"},
                    Case{"       DATA 'a',','", "A0000B0041B002C"},
                    Case{"       BYTE 1\n       DATA 2", "A0000B0100B0002"},
                    Case{"       BYTE 1\nL      DATA L", "A0000B0100C0002"},
                    Case{"       BSS  5\n       DATA 2", "A0000A0006B0002"},
                    Case{"       TEXT 'It''s'", "A0000B4974B2773"},
                    Case{"       TEXT -'ABC'", "A0000B4142BBD00"},
                    Case{"       TEXT ''\n       EVEN", "A0000B0000"},
                    Case{"       TEXT\n       TEXT ABC\n       DATA 1", "A0000B0001"},
                    Case{"       LOAD X\n       SREF Y\n       DATA 1", "A0000B0001"}));

// The XOP row copied for a DXOP name, and the size of error cases.
TEST(Encoding, DxopAndSizes) {
    Workspace ws;
    auto r = ws.assemble("       DXOP SVC,5\nL1     SVC  @A(R2)\nL2     LDCR R1\nL3     XYZ\nL4     DATA L1,L2,L3,L4\n"
                         "A      EQU  1\n       END\n",
                         {"-R"});
    EXPECT_NE(r.object.find("B2D62B0001"), std::string::npos) << r.object;
    // LDCR without comma takes 2 bytes more; an unknown mnemonic takes 2.
    EXPECT_NE(r.object.find("C0000C0004C0008C000A"), std::string::npos) << r.object;
}

}  // namespace
