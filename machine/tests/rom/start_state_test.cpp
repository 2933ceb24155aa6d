#include <gtest/gtest.h>

#include "machine/rom/rom.hpp"
#include "machine/ti99/program_start.hpp"
#include "machine/ti99/screen_text.hpp"

namespace {

struct StartState : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(scree::prepare_machine(m)); }
    scree::Machine m;
};

TEST_F(StartState, VdpInGraphicsOneWithABlankScreenAndOurCharacterSet) {
    const scree::Vdp& vdp = m.vdp();
    const uint8_t regs[8] = {0x00, 0xE0, 0x00, 0x0E, 0x01, 0x06, 0x01, 0x07};
    for (unsigned i = 0; i < 8; ++i) EXPECT_EQ(vdp.reg(i), regs[i]) << "register " << i;
    for (unsigned a = 0; a < 768; ++a) ASSERT_EQ(vdp.vram()[a], ' ') << a;
    EXPECT_EQ(vdp.vram()[0x300], 0xD0);
    for (unsigned a = 0x380; a < 0x3A0; ++a) EXPECT_EQ(vdp.vram()[a], 0x10);
    // Codes 32 to 127 have patterns, 0 to 31 none; blank is empty, 'A' is not.
    for (unsigned a = 0x800; a < 0x900; ++a) ASSERT_EQ(vdp.vram()[a], 0) << a;
    for (unsigned a = 0x900; a < 0x908; ++a) EXPECT_EQ(vdp.vram()[a], 0);
    unsigned bits = 0;
    for (unsigned a = 0x800 + 'A' * 8; a < 0x808 + 'A' * 8u; ++a) bits += vdp.vram()[a] != 0;
    EXPECT_GE(bits, 6u);
    EXPECT_EQ(scree::screen_text(vdp), std::string(24, '\n'));
    EXPECT_EQ(vdp.status() & 0xE0, 0);  // no frame pending
}

TEST_F(StartState, ScratchpadAndLowMemoryAsTheLoaderLeavesThem) {
    EXPECT_EQ(m.peek_word(0x8370), 0x3FFF);
    EXPECT_EQ(m.peek(0x8374), 0x00);
    EXPECT_EQ(m.peek(0x8375), 0xFF);
    EXPECT_EQ(m.peek(0x83C6), 0x05);
    EXPECT_EQ(m.peek_word(0x83C2), 0);  // ISR does everything, no user hook
    EXPECT_EQ(m.peek_word(0x83C4), 0);
    EXPECT_EQ(m.peek(0x83D4), 0xE0);
    EXPECT_EQ(m.peek_word(0x83FA), 0x9800);
    EXPECT_EQ(m.peek_word(0x83FE), 0x8C02);
    EXPECT_EQ(m.peek_word(0x2000), 0xA55A);
    EXPECT_EQ(m.peek_word(scree::kFirstFreeHigh), 0xA000);
    const uint16_t first_low = m.peek_word(scree::kFirstFreeLow), last_low = m.peek_word(scree::kLastFreeLow);
    EXPECT_GT(first_low, 0x2124);
    EXPECT_LT(first_low, last_low);
    // The REF/DEF table above LSTLOW names every utility with its vector.
    unsigned found = 0;
    for (uint16_t a = static_cast<uint16_t>(last_low + 1); a < 0x4000; a += 8) {
        std::string name;
        for (unsigned i = 0; i < 6; ++i) name += static_cast<char>(m.peek(static_cast<uint16_t>(a + i)));
        name.erase(name.find_last_not_of(' ') + 1);
        for (const scree::Utility& u : scree::utilities())
            if (u.name == name && m.peek_word(static_cast<uint16_t>(a + 6)) == u.vector) ++found;
    }
    EXPECT_EQ(found, scree::utilities().size());
}

TEST_F(StartState, CountersStartAtZeroAndTheProgramStartsWithInterruptsOff) {
    EXPECT_EQ(m.cpu().cycles, 0u);
    EXPECT_EQ(m.cpu().instructions, 0u);
    EXPECT_EQ(m.frames(), 0u);
    EXPECT_TRUE(m.sound_writes().empty());
    m.cpu().st = 0xFFFF;
    scree::start_program(m, 0xA000);
    EXPECT_EQ(m.cpu().wp, 0x83E0);
    EXPECT_EQ(m.cpu().pc, 0xA000);
    EXPECT_EQ(m.cpu().st, 0);
    // The 9901 lets the VDP interrupt through once a program enables it.
    EXPECT_TRUE(m.tms9901().vdp_interrupt_enabled());
}

TEST(ConsoleRom, VectorsPointIntoTheRomAndXopOneIntoExpansionRam) {
    const auto rom = scree::console_rom();
    auto word = [&](unsigned a) { return static_cast<unsigned>(rom[a] << 8 | rom[a + 1]); };
    EXPECT_EQ(word(0), 0x83E0u);
    EXPECT_EQ(word(4), 0x83C0u);
    EXPECT_LT(word(2), 0x2000u);
    EXPECT_LT(word(6), 0x2000u);
    EXPECT_EQ(word(0x0E), 0x0460u);  // B @KSCAN
    EXPECT_EQ(word(0x44), 0xFFD8u);
    EXPECT_EQ(word(0x46), 0xFFF8u);
}

}  // namespace
