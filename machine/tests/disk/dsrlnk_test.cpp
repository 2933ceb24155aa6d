// DSRLNK's device search on a machine with our card: the card's ROM at
// >4000 while selected, the scratchpad and registers a DSR gets, what the
// caller gets back, and the printer and subprogram the card answers.
#include <gtest/gtest.h>

#include "machine/rom/card_rom.hpp"
#include "machine/tests/disk/card_program.hpp"

namespace {

using scree_test::CardMachine;
using scree_test::kFio;

constexpr uint16_t kRes = 0xB000;

uint16_t res(const CardMachine& r, unsigned offset) { return r.machine->peek_word(static_cast<uint16_t>(kRes + offset)); }

TEST(Dsrlnk, ErrorsSetEqAndTheHighByteOfR0AndSuccessClearsEq) {
    const CardMachine r(std::string(R"(RES    EQU  >B000
       LWPI WS
       LI   R5,>5555
       LI   R1,MISS
       LI   R2,>0000          OPEN
       BL   @FIO
       MOV  R3,@RES
       MOV  R5,@RES+2
       MOVB @MISS+1,@RES+4
       LI   R1,NODRV
       BL   @FIO
       MOV  R3,@RES+6
       MOVB @NODRV+1,@RES+8
       LI   R1,NODEV
       BL   @FIO
       MOV  R3,@RES+10
       LI   R1,LONG
       BL   @FIO
       MOV  R3,@RES+12
       LI   R1,OUT
       BL   @FIO
       MOV  R3,@RES+14
       MOV  R4,@RES+16
       LI   R0,BUFV
       LI   R1,HELLO
       LI   R2,5
       BLWP @VMBW
       LI   R1,OUT
       LI   R2,>0300          WRITE
       BL   @FIO
       MOV  R3,@RES+18
       LI   R2,>0100          CLOSE
       BL   @FIO
       MOV  R3,@RES+20
DONE   JMP  DONE
WS     BSS  32
MISS   BYTE 0,>14             INPUT, VARIABLE
       DATA BUFV
       BYTE 80,0,0,0,0,11
       TEXT 'DSK1.NOFILE'
       EVEN
NODRV  BYTE 0,>14
       DATA BUFV
       BYTE 80,0,0,0,0,9
       TEXT 'DSK5.FILE'
       EVEN
NODEV  BYTE 0,>14
       DATA BUFV
       BYTE 80,0,0,0,0,10
       TEXT 'NODEV.FILE'
LONG   BYTE 0,>14
       DATA BUFV
       BYTE 80,0,0,0,0,13
       TEXT 'TOOLONGNAME.X'
       EVEN
OUT    BYTE 0,>12             OUTPUT, VARIABLE
       DATA BUFV
       BYTE 80,5,0,0,0,15
       TEXT 'DSK1.RESULT.TXT'
HELLO  TEXT 'HELLO'
       EVEN
)") + std::string(kFio) + "       END\n");
    EXPECT_EQ(res(r, 0), 0xE0CD) << "error 7 (a missing file) as the flag byte holds it; R0's low byte kept";
    EXPECT_EQ(res(r, 2), 0x5555);
    EXPECT_EQ(res(r, 4) >> 8, 0xF4) << "error bits over the PAB's flags";
    EXPECT_EQ(res(r, 6), 0x00CD) << "an unmapped drive: no such device";
    EXPECT_EQ(res(r, 8) >> 8, 0x14);
    EXPECT_EQ(res(r, 10), 0x00CD);
    EXPECT_EQ(res(r, 12), 0x00CD) << "a device name of more than 7 characters";
    EXPECT_EQ(res(r, 14), 0) << "OPEN: EQ cleared";
    EXPECT_EQ(res(r, 16), 0x12CD) << "R0 kept";
    EXPECT_EQ(res(r, 18), 0);
    EXPECT_EQ(res(r, 20), 0);
    EXPECT_EQ(testkit::read_bytes(r.dir / "RESULT.TXT"), "HELLO\r\n");
}

// What DSRLNK leaves in the scratchpad and low memory for the DSR it
// called: the name and its length, the PAB pointer just past the device
// name, the card's CRU base and list entry.
TEST(Dsrlnk, TheDsrGetsTheDocumentedScratchpad) {
    const CardMachine r(std::string(R"(       LWPI WS
       LI   R1,PAB
       LI   R2,>0900          STATUS
       BL   @FIO
DONE   JMP  DONE
WS     BSS  32
PAB    BYTE 0,0
       DATA BUFV
       BYTE 0,0,0,0,0,10
       TEXT 'DSK1.THING'
)") + std::string(kFio) + "       END\n");
    const scree::Machine& m = *r.machine;
    EXPECT_EQ(m.peek_word(0x8354), 4);
    EXPECT_EQ(m.peek_word(0x8356), 0x100E) << "PAB + 10 + 4";
    EXPECT_EQ(m.peek_word(0x83D0), 0x1100);
    std::string name;
    for (uint16_t a = 0x834A; a < 0x834E; ++a) name += static_cast<char>(m.peek(a));
    EXPECT_EQ(name, "DSK1");
    const uint16_t entry = m.peek_word(0x83D2);
    const auto& rom = scree::host_card_rom();
    ASSERT_GE(entry, 0x4010);
    ASSERT_LT(entry, 0x5FF0);
    EXPECT_EQ(rom[entry - 0x4000 + 4], 4);
    EXPECT_EQ(std::string(rom.begin() + (entry - 0x4000 + 5), rom.begin() + (entry - 0x4000 + 9)), "DSK1");
    EXPECT_EQ(m.peek_word(0x200C), 0x1001) << "FLGPTR";
    EXPECT_EQ(m.peek_word(0x2010), 0x1100) << "SAVCRU";
    EXPECT_EQ(m.peek_word(0x2012), rom[entry - 0x4000 + 2] << 8 | rom[entry - 0x4000 + 3]) << "SAVENT";
    EXPECT_EQ(m.peek_word(0x2014), 4) << "SAVLEN";
    EXPECT_EQ(m.peek_word(0x2016), 0x100A) << "SAVPAB";
    EXPECT_EQ(m.peek(0x2018), 1) << "SAVVER";
    EXPECT_EQ(r.machine->vdp().vram()[0x1008], scree::file_status::kMissing) << "STATUS answered in byte 8";
}

TEST(Dsrlnk, PioAndRs232PrintTheirRecords) {
    const CardMachine r(std::string(R"(       LWPI WS
       LI   R0,BUFV
       LI   R1,TEXT
       LI   R2,14
       BLWP @VMBW
       LI   R1,PIO
       LI   R2,>0000
       BL   @FIO
       LI   R2,>0300
       BL   @FIO
       LI   R2,>0100
       BL   @FIO
       LI   R1,RS232
       LI   R2,>0000
       BL   @FIO
       LI   R2,>0300
       BL   @FIO
       LI   R2,>0200          READ: nothing to read here
       BL   @FIO
       MOV  R3,@>B000
DONE   JMP  DONE
WS     BSS  32
PIO    BYTE 0,>12             OUTPUT, VARIABLE
       DATA BUFV
       BYTE 0,14,0,0,0,3
       TEXT 'PIO'
       EVEN
RS232  BYTE 0,>02             OUTPUT, FIXED
       DATA BUFV
       BYTE 5,0,0,0,0,15
       TEXT 'RS232/2.BA=9600'
TEXT   TEXT 'PRINTED A LINE'
       EVEN
)") + std::string(kFio) + "       END\n");
    EXPECT_EQ(r.printed, (std::vector<std::string>{"PRINTED A LINE", "PRINT"}));
    EXPECT_EQ(r.machine->peek_word(0xB000), 0x60CD) << "illegal operation";
}

// DATA >A: the card's subprogram >16 (disk files) answers; others are not
// there.
TEST(Dsrlnk, SubprogramsAreSearchedInTheirOwnList) {
    const CardMachine r(R"(       LWPI WS
       LI   R0,>1200
       LI   R1,FILES
       LI   R2,4
       BLWP @VMBW
       SETO @>8350
       LI   R0,>1200
       MOV  R0,@>8356
       BLWP @DSRLNK
       DATA >A
       JEQ  BAD
       MOV  @>8350,@>B000
       LI   R0,>1202
       MOV  R0,@>8356
       BLWP @DSRLNK
       DATA >A
       JNE  BAD
       LI   R0,>600D
       MOV  R0,@>B002
BAD    JMP  BAD
WS     BSS  32
FILES  BYTE 1,>16,1,>10
       END
)");
    EXPECT_EQ(r.machine->peek(0xB000), 0);
    EXPECT_EQ(r.machine->peek_word(0xB002), 0x600D);
}

TEST(Dsrlnk, TheCardsRomAnswersOnlyWhileSelected) {
    const CardMachine r(R"(       LI   R12,>1100
       SBO  0
       MOV  @>4000,@>B000
       MOV  @>5FF2,@>B002     the result port
       SBZ  0
       MOV  @>4000,@>B004
       LI   R12,>1300         no card there
       SBO  0
       MOV  @>4000,@>B006
       SBZ  0
DONE   JMP  DONE
       END
)");
    EXPECT_EQ(r.machine->peek_word(0xB000), 0xAA01);
    EXPECT_EQ(r.machine->peek_word(0xB002), 0);
    EXPECT_EQ(r.machine->peek_word(0xB004), scree::kOpenBus * 0x101);
    EXPECT_EQ(r.machine->peek_word(0xB006), scree::kOpenBus * 0x101);
}

}  // namespace
