// Test programs on a powered-up 99/4A: assembled by tarn and linked by
// fell at >A000 (absolute, with the utilities' vectors as EQUs), loaded,
// started as the Editor/Assembler starts a program, and run.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "machine/tests/support/build_program.hpp"
#include "machine/ti99/program_start.hpp"

namespace scree_test {

inline constexpr uint16_t kProgramAddress = 0xA000;

// EQUs a test program may use.
inline constexpr std::string_view kProgramHeader = R"(GPLLNK EQU  >2100
XMLLNK EQU  >2104
KSCAN  EQU  >2108
VSBW   EQU  >210C
VMBW   EQU  >2110
VSBR   EQU  >2114
VMBR   EQU  >2118
VWTR   EQU  >211C
DSRLNK EQU  >2120
VDPRD  EQU  >8800
VDPSTA EQU  >8802
VDPWD  EQU  >8C00
VDPWA  EQU  >8C02
       AORG >A000
)";

// A powered-up machine with the program (kProgramHeader + body, which
// ends with END) loaded at >A000 and started there.
inline std::unique_ptr<scree::Machine> load_program(std::string_view body) {
    testkit::TempDir dir;
    const std::string source = std::string(kProgramHeader) + std::string(body);
    const std::string image = assemble_image(dir.path(), source, kProgramAddress, 0xC000);
    auto m = std::make_unique<scree::Machine>();
    EXPECT_TRUE(scree::prepare_machine(*m));
    for (size_t i = 0; i < image.size(); ++i)
        m->poke(static_cast<uint16_t>(kProgramAddress + i), static_cast<uint8_t>(image[i]));
    scree::start_program(*m, kProgramAddress);
    return m;
}

// Loads and runs the program until it sits in a jump to itself.
inline std::unique_ptr<scree::Machine> run_program(std::string_view body, uint64_t frames = 60,
                                                   std::string_view keys = {}) {
    auto m = load_program(body);
    if (!keys.empty()) {
        EXPECT_TRUE(m->typist().type(keys));
    }
    EXPECT_EQ(m->run(frames, true), scree::StopReason::SelfJump);
    return m;
}

}  // namespace scree_test
