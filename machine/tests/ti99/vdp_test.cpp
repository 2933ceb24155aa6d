// The VDP through its ports, from TMS9900 programs: the address protocol,
// auto-increment, the read-ahead latch, register writes and the status.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"

namespace {

// Runs the program body (WS and RES, 32 result bytes, follow it) and
// returns the result bytes.
std::vector<uint8_t> results(std::string_view body, std::unique_ptr<scree::Machine>* keep = nullptr) {
    auto m = scree_test::run_program("       LWPI WS\n" + std::string(body) + R"(DONE   JMP  DONE
WS     BSS  32
RES    BSS  32
       END
)");
    std::vector<uint8_t> out;
    for (unsigned i = 0; i < 32; ++i) out.push_back(m->peek(static_cast<uint16_t>(m->cpu().wp + 32 + i)));
    if (keep) *keep = std::move(m);
    return out;
}

TEST(VdpPorts, AddressesIncrementAndWrapAtFourteenBits) {
    std::unique_ptr<scree::Machine> m;
    results(R"(       LI   R0,>FF7F          write address >3FFF
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       LI   R1,>1122
       MOVB R1,@VDPWD
       SWPB R1
       MOVB R1,@VDPWD         wraps to >0000
)",
            &m);
    EXPECT_EQ(m->vdp().vram()[0x3FFF], 0x11);
    EXPECT_EQ(m->vdp().vram()[0x0000], 0x22);
    EXPECT_EQ(m->vdp().address(), 1);
}

TEST(VdpPorts, ReadAheadLatchAndWritesAfterAReadAddress) {
    const auto r = results(R"(       LI   R0,>0042          write 'A' 'B' 'C' at >0200
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       LI   R1,>4142
       MOVB R1,@VDPWD
       SWPB R1
       MOVB R1,@VDPWD
       LI   R1,>4300
       MOVB R1,@VDPWD
       LI   R0,>0002          read address >0200: 'A' is fetched ahead
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       MOVB @VDPRD,@RES       'A'
       LI   R1,>5800
       MOVB R1,@VDPWD         lands at >0202, and in the latch
       MOVB @VDPRD,@RES+1     the latch: 'X'
       MOVB @VDPRD,@RES+2     >0204 (a blank)
)");
    EXPECT_EQ(r[0], 'A');
    EXPECT_EQ(r[1], 'X');
    EXPECT_EQ(r[2], ' ');
}

TEST(VdpPorts, StatusReadResetsTheAddressFlipFlop) {
    std::unique_ptr<scree::Machine> m;
    results(R"(       LI   R0,>1200          a first byte alone
       MOVB R0,@VDPWA
       MOVB @VDPSTA,R1        forgets it
       LI   R0,>3443          write address >0334
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       LI   R1,>7700
       MOVB R1,@VDPWD
)",
            &m);
    EXPECT_EQ(m->vdp().vram()[0x334], 0x77);
    EXPECT_EQ(m->vdp().vram()[0x343], 0x00);
}

TEST(VdpPorts, RegistersKeepOnlyTheirBits) {
    std::unique_ptr<scree::Machine> m;
    results(R"(       LI   R0,>FFC0          >C0: register 0 too (bit >40 ignored)
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       LI   R0,>FF82
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
       LI   R0,>FF85
       MOVB R0,@VDPWA
       SWPB R0
       MOVB R0,@VDPWA
)",
            &m);
    EXPECT_EQ(m->vdp().reg(0), 0x03);
    EXPECT_EQ(m->vdp().reg(2), 0x0F);
    EXPECT_EQ(m->vdp().reg(5), 0x7F);
}

TEST(VdpPorts, FrameFlagSetAtTheFrameEndAndClearedByTheRead) {
    const auto r = results(R"(       MOVB @VDPSTA,@RES      at the start: clear
WAIT   MOVB @VDPSTA,R1        until a frame ends
       JGT  WAIT
       JEQ  WAIT
       MOVB R1,@RES+1
       MOVB @VDPSTA,@RES+2    read again: cleared
       CLR  R12
       TB   2                 the 9901 saw it go
       STST R2
       MOV  R2,@RES+4
)");
    EXPECT_EQ(r[0] & 0x80, 0);
    EXPECT_EQ(r[1] & 0x80, 0x80);
    EXPECT_EQ(r[2] & 0x80, 0);
    EXPECT_NE(r[4] & 0x20, 0) << "INT2 high again after the read";
}

TEST(VdpPorts, InterruptLineFollowsRegisterOne) {
    scree::Vdp vdp;
    vdp.set_reg(1, 0xC0);
    vdp.end_of_frame();
    EXPECT_FALSE(vdp.interrupt());
    vdp.set_reg(1, 0xE0);
    EXPECT_TRUE(vdp.interrupt());
    (void)vdp.read_status();
    EXPECT_FALSE(vdp.interrupt());
}

}  // namespace
