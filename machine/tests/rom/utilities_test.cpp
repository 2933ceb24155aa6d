// The Editor/Assembler utilities, called with BLWP and their documented
// registers from a program in the memory expansion.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"

namespace {

using scree_test::run_program;

TEST(Utilities, WriteAndReadVdpMemoryAndRegisters) {
    auto m = run_program(R"(       LWPI WS
       LI   R0,>0123          VSBW: one byte
       LI   R1,>4100
       BLWP @VSBW
       LI   R0,>0200          VMBW: a block
       LI   R1,TEXT
       LI   R2,5
       BLWP @VMBW
       LI   R0,>0201          VSBR: R1 high byte, low byte kept
       LI   R1,>00AA
       BLWP @VSBR
       MOV  R1,@OUT
       LI   R0,>0200          VMBR: back into memory
       LI   R1,BUF
       LI   R2,5
       BLWP @VMBR
       LI   R0,>0210          a count of 0 moves nothing
       LI   R1,TEXT
       CLR  R2
       BLWP @VMBW
       LI   R0,>07F5          VWTR: register 7
       BLWP @VWTR
       LI   R0,>4222          the top address bits are not the VDP's
       LI   R1,>5A00
       BLWP @VSBW
DONE   JMP  DONE
WS     BSS  32
TEXT   TEXT 'HELLO'
OUT    DATA 0
BUF    BSS  6
       END
)");
    const auto& vram = m->vdp().vram();
    EXPECT_EQ(vram[0x123], 'A');
    EXPECT_EQ(std::string(vram.begin() + 0x200, vram.begin() + 0x205), "HELLO");
    EXPECT_EQ(vram[0x210], ' ');  // still the blank
    EXPECT_EQ(vram[0x222], 0x5A);
    EXPECT_EQ(m->vdp().reg(7), 0xF5);
    // OUT follows the program's 32-byte workspace and 5 text bytes.
    uint16_t out = 0;
    for (uint16_t a = 0xA000; a < 0xA100; a += 2)
        if (m->peek_word(a) == 0x45AA) out = a;
    EXPECT_NE(out, 0) << "VSBR left >45AA in R1";
    std::string buf;
    for (unsigned i = 0; i < 5; ++i) buf += static_cast<char>(m->peek(static_cast<uint16_t>(out + 2 + i)));
    EXPECT_EQ(buf, "HELLO");
    // The caller's workspace is as it was apart from what the calls return.
    EXPECT_EQ(m->cpu().wp, m->peek_word(0xA002));
}

// No card answers: DSRLNK takes the error return for any name, with
// error 0 in the caller's R0 and in the PAB's flag byte.
TEST(Utilities, DsrlnkFindsNoDeviceAndReportsBadDeviceName) {
    auto m = run_program(R"(       LWPI WS
       LI   R0,>1000          the PAB in VDP RAM
       LI   R1,PAB
       LI   R2,PABEND-PAB
       BLWP @VMBW
       LI   R0,>1009          name length byte
       MOV  R0,@>8356
       LI   R0,>FFFF
       BLWP @DSRLNK
       DATA 8
       JEQ  ERR
       LI   R5,>BAD
       JMP  DONE
ERR    LI   R5,>600D
DONE   JMP  DONE
WS     BSS  32
PAB    BYTE >00,>E0           OPEN, flag byte with old error bits
       DATA >1100
       BYTE 80,0,0,0,0
       BYTE 9
       TEXT 'DSK1.FILE'
PABEND
       END
)");
    const uint16_t ws = m->cpu().wp;
    EXPECT_EQ(m->peek_word(static_cast<uint16_t>(ws + 10)), 0x600D);
    EXPECT_EQ(m->peek(ws), 0x00) << "error code in the high byte of R0";
    EXPECT_EQ(m->peek(static_cast<uint16_t>(ws + 1)), 0xFF) << "low byte of R0 kept";
    EXPECT_EQ(m->vdp().vram()[0x1001], 0x00) << "error bits of the flag byte";
    EXPECT_EQ(m->vdp().vram()[0x100A], 'D');
}

}  // namespace
