// The console's address decoding: device ports repeating through their
// blocks, the sound port, the GROM ports, empty space and the CRU above
// the 9901.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"
#include "machine/ti99/grom.hpp"

namespace {

std::unique_ptr<scree::Machine> run(std::string_view body) {
    return scree_test::run_program("       LWPI WS\n" + std::string(body) + R"(DONE   JMP  DONE
WS     BSS  32
RES    BSS  32
       END
)");
}

uint8_t res(scree::Machine& m, unsigned i) { return m.peek(static_cast<uint16_t>(m.cpu().wp + 32 + i)); }

TEST(MemoryMap, VdpAndSoundPortsRepeatThroughTheirBlocks) {
    auto m = run(R"(       LI   R0,>1042          write address >0210 through >8FFE
       MOVB R0,@>8FFE
       SWPB R0
       MOVB R0,@>8C06
       LI   R1,>5A00
       MOVB R1,@>8C04         data port mirror
       LI   R1,>9F00
       MOVB R1,@>87FE         sound
       MOVB R1,@>8401
       LI   R0,>1002          read address >0210 through >8BFE
       MOVB R0,@>8BFE
       SWPB R0
       MOVB R0,@>8BFE
       MOVB @>8BFC,@RES       data port mirror
)");
    EXPECT_EQ(m->vdp().vram()[0x210], 0x5A);
    EXPECT_EQ(res(*m, 0), 0x5A);
    ASSERT_EQ(m->sound_writes().size(), 2u);
    EXPECT_EQ(m->sound_writes()[0].value, 0x9F);
    EXPECT_LT(m->sound_writes()[0].cycle, m->sound_writes()[1].cycle);
}

TEST(MemoryMap, EmptySpaceWriteOnlyPortsAndRomReadTheOpenBus) {
    auto m = run(R"(       MOV  @>4000,@RES       no card ROM
       MOV  @>6000,@RES+2     no cartridge
       MOV  @>8C00,@RES+4     VDP write port
       MOV  @>9000,@RES+6     no speech
       LI   R1,>1234
       MOV  R1,@>0100         ROM stays
       MOV  @>0100,@RES+8
       MOV  R1,@>8000         scratchpad mirror
       MOV  @>8300,@RES+10
       MOV  R1,@>6000
       MOV  @>6000,@RES+12
)");
    for (unsigned i : {0u, 2u, 4u, 6u, 12u}) EXPECT_EQ(res(*m, i) << 8 | res(*m, i + 1), scree::kOpenBus * 0x101) << i;
    EXPECT_NE(res(*m, 8) << 8 | res(*m, 9), 0x1234);
    EXPECT_EQ(res(*m, 10) << 8 | res(*m, 11), 0x1234);
}

TEST(MemoryMap, GromAddressCounterAndEmptyContents) {
    auto m = run(R"(       LI   R0,>6000
       MOVB R0,@>9C02         high byte first
       SWPB R0
       MOVB R0,@>9C02
       MOVB @>9800,@RES       a byte (none here)
       MOVB @>9802,@RES+1     the counter: one past the byte fetched ahead
       MOVB @>9802,@RES+2
       LI   R0,>7FFF          the counter wraps within one GROM
       MOVB R0,@>9C06         another GROM base
       SWPB R0
       MOVB R0,@>9C06
       MOVB @>9806,@RES+3
       MOVB @>9806,@RES+4
)");
    EXPECT_EQ(res(*m, 0), 0x00);
    EXPECT_EQ(res(*m, 1), 0x60);
    EXPECT_EQ(res(*m, 2), 0x02);
    EXPECT_EQ(res(*m, 3), 0x60);
    EXPECT_EQ(res(*m, 4), 0x00);
}

TEST(MemoryMap, CardCruBitsReadHighAndTakeNoWrites) {
    auto m = run(R"(       LI   R12,>1100
       SBO  0
       TB   0
       STST R1
       MOV  R1,@RES
       LI   R12,>0040         the 9901 again, 32 bits up
       TB   2
       STST R2
       MOV  R2,@RES+2
)");
    EXPECT_EQ(res(*m, 0) & 0x20, 0x20);
    EXPECT_EQ(res(*m, 2) & 0x20, 0x20) << "INT2 idle: interrupts off, no frame yet read";
}

TEST(Grom, AddressReadsAlternateAndDataReadsResetThem) {
    scree::Grom grom;
    grom.write_address(0x12);
    grom.write_address(0x34);
    EXPECT_EQ(grom.address(), 0x1235);
    EXPECT_EQ(grom.read_data(), 0);
    EXPECT_EQ(grom.read_address(), 0x12);
    (void)grom.read_data();
    EXPECT_EQ(grom.read_address(), 0x12) << "a data read resets the address flip-flop";
    EXPECT_EQ(grom.read_address(), 0x37);
}

}  // namespace
