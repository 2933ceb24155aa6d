// Test programs on a machine with our peripheral card: DSK1 on a
// temporary folder, the printer's lines kept. FIO, a routine the programs
// share, hands one PAB to DSRLNK.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "machine/disk/host_card.hpp"
#include "machine/tests/support/ti99_program.hpp"

namespace scree_test {

// FIO: BL @FIO with R1 the PAB in CPU RAM and the opcode in R2's high
// byte. The PAB goes to VDP >1000 and DSRLNK serves it with >12CD in R0
// and EQ set; then the PAB's first 10 bytes come back. R3: 0 when DSRLNK
// cleared EQ, else R0 as it returned; R4: R0 as it returned. Data buffers
// are at VDP >1100.
inline constexpr std::string_view kFio = R"(PABV   EQU  >1000
BUFV   EQU  >1100
FIO    MOV  R11,R10
       MOVB R2,*R1
       MOVB @9(R1),R2
       SRL  R2,8
       AI   R2,10
       LI   R0,PABV
       BLWP @VMBW
       LI   R0,PABV+9
       MOV  R0,@>8356
       LI   R0,>12CD
       C    R0,R0
       BLWP @DSRLNK
       DATA 8
       CLR  R3
       JNE  FIO1
       MOV  R0,R3
FIO1   MOV  R0,R4
       LI   R0,PABV
       LI   R2,10
       BLWP @VMBR
       B    *R10
)";

struct CardMachine {
    testkit::TempDir dir;  // DSK1
    std::vector<std::string> printed;
    std::unique_ptr<scree::Machine> machine;
    std::unique_ptr<scree::DiskDrives> disks;
    std::unique_ptr<scree::Printer> printer;
    std::unique_ptr<scree::HostCard> card;

    // Loads body (which ends with END; kFio may go before it) and runs it
    // until it sits in a jump to itself.
    explicit CardMachine(std::string_view body, uint64_t frames = 120) {
        machine = load_program(body);
        scree::DriveFolders folders;
        folders[0] = dir.path().string();
        disks = std::make_unique<scree::DiskDrives>(folders);
        printer = std::make_unique<scree::Printer>([this](std::string_view line) { printed.emplace_back(line); });
        card = std::make_unique<scree::HostCard>(*machine, *disks, *printer);
        card->plug();
        EXPECT_EQ(machine->run(frames, true), scree::StopReason::SelfJump);
        EXPECT_TRUE(disks->close_all().empty());
    }

    // Register n of the workspace the program ends with.
    uint16_t reg(unsigned n) const { return machine->peek_word(static_cast<uint16_t>(machine->cpu().wp + 2 * n)); }
};

}  // namespace scree_test
