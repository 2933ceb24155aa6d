// KSCAN through the CRU keyboard: typed text in each mode, modifier keys,
// alpha lock, the split keyboard with joysticks, and the new-key bit.
#include <gtest/gtest.h>

#include "machine/tests/support/ti99_program.hpp"

namespace {

// Scans with the given key unit and keeps every new key until ENTER.
std::string typed(unsigned unit, std::string_view keys) {
    char head[64];
    std::snprintf(head, sizeof head, "       LWPI WS\n       LI   R0,>%02X00\n", unit);
    auto m = scree_test::run_program(std::string(head) + R"(       MOVB R0,@>8374         key unit
       LI   R3,BUF
LOOP   BLWP @KSCAN
       MOVB @>837C,R1
       ANDI R1,>2000
       JEQ  LOOP
       MOVB @>8375,R2
       MOVB R2,*R3+
       CB   R2,@ENTER
       JNE  LOOP
DONE   JMP  DONE
ENTER  BYTE 13
       EVEN
WS     BSS  32
BUF    BSS  64
       END
)",
                                  600, keys);
    std::string out;
    for (uint16_t a = static_cast<uint16_t>(m->cpu().wp + 32);; ++a) {
        const uint8_t c = m->peek(a);
        out += static_cast<char>(c);
        if (c == 13 || out.size() > 64) break;
    }
    return out;
}

TEST(Kscan, TypedTextInBasicPascalAnd994Modes) {
    EXPECT_EQ(typed(5, "Hello, World! (x=1+2)\n"), "Hello, World! (x=1+2)\r");
    EXPECT_EQ(typed(4, "Pascal; ok?\n"), "Pascal; ok?\r");
    EXPECT_EQ(typed(3, "Upper case only\n"), "UPPER CASE ONLY\r");
}

TEST(Kscan, FunctionKeySymbolsAndRepeatedKeys) {
    EXPECT_EQ(typed(5, "[a]_{{}b{}}|\"q\"~\\`'?{@}\n"), "[a]_{b}|\"q\"~\\`'?@\r");
    EXPECT_EQ(typed(5, "aa--ll\n"), "aa--ll\r");
}

// One scan with the keys already down: the code, the status byte, the
// joystick bytes and the key unit after the scan.
struct Scan {
    uint8_t code, status, joy_y, joy_x, unit;
};

Scan scan_once(unsigned unit, std::initializer_list<scree::MatrixKey> down, bool alpha_lock = false,
               unsigned scans = 1) {
    char head[64];
    std::snprintf(head, sizeof head, "       LWPI WS\n       LI   R0,>%02X00\n       LI   R3,%u\n", unit, scans);
    auto m = scree_test::load_program(std::string(head) + R"(       MOVB R0,@>8374
LOOP   BLWP @KSCAN
       DEC  R3
       JNE  LOOP
DONE   JMP  DONE
WS     BSS  32
       END
)");
    for (const scree::MatrixKey& k : down) m->keyboard().press(k);
    m->keyboard().set_alpha_lock(alpha_lock);
    EXPECT_EQ(m->run(10, true), scree::StopReason::SelfJump);
    return {m->peek(0x8375), m->peek(0x837C), m->peek(0x8376), m->peek(0x8377), m->peek(0x8374)};
}

constexpr scree::MatrixKey kA{5, 5}, kX{1, 7}, kM{3, 0}, kOne{5, 4}, kEquals{0, 0};
using scree::keys::kCtrl;
using scree::keys::kFctn;
using scree::keys::kShift;

TEST(Kscan, ControlKeysDependOnTheMode) {
    EXPECT_EQ(scan_once(5, {kCtrl, kA}).code, 129);
    EXPECT_EQ(scan_once(4, {kCtrl, kA}).code, 1);
    EXPECT_EQ(scan_once(3, {kCtrl, kA}).code, 0xFF);
    EXPECT_EQ(scan_once(5, {kFctn, kOne}).code, 3);      // DEL
    EXPECT_EQ(scan_once(5, {kFctn, kEquals}).code, 5);   // QUIT
    EXPECT_EQ(scan_once(5, {kShift}).code, 0xFF);         // a modifier alone is no key
}

TEST(Kscan, AlphaLockGivesCapitalsOfLettersOnly) {
    EXPECT_EQ(scan_once(5, {kA}, true).code, 'A');
    EXPECT_EQ(scan_once(5, {kA}, false).code, 'a');
    EXPECT_EQ(scan_once(5, {kOne}, true).code, '1');
}

TEST(Kscan, NewKeyBitOnlyOnTheFirstScanOfAKey) {
    const Scan first = scan_once(5, {kA}, false, 1);
    EXPECT_EQ(first.status, 0x20);
    const Scan held = scan_once(5, {kA}, false, 5);
    EXPECT_EQ(held.code, 'a');
    EXPECT_EQ(held.status, 0x00);
    const Scan none = scan_once(5, {}, false, 1);
    EXPECT_EQ(none.code, 0xFF);
    EXPECT_EQ(none.status, 0x00);
}

TEST(Kscan, ModeUnitsGoBackToZeroAndModeZeroKeepsTheMode) {
    EXPECT_EQ(scan_once(4, {kA}).unit, 0);
    EXPECT_EQ(scan_once(0, {kCtrl, kA}).code, 129);  // mode 5 as the loader left it
    EXPECT_EQ(scan_once(9, {kA}).code, 0xFF);         // no such unit: nothing read
}

TEST(Kscan, SplitKeyboardAndJoysticks) {
    EXPECT_EQ(scan_once(1, {kX}).code, 0);
    EXPECT_EQ(scan_once(1, {kOne}).code, 19);
    EXPECT_EQ(scan_once(2, {kM}).code, 0);
    EXPECT_EQ(scan_once(2, {kX}).code, 0xFF);  // not on the right half
    const Scan idle = scan_once(1, {});
    EXPECT_EQ(idle.code, 0xFF);
    EXPECT_EQ(idle.joy_y, 0);
    EXPECT_EQ(idle.joy_x, 0);
    const Scan stick = scan_once(1, {{6, 4}, {6, 1}});  // joystick 1 up and left
    EXPECT_EQ(stick.joy_y, 0x04);
    EXPECT_EQ(stick.joy_x, 0xFC);
    const Scan fire = scan_once(2, {{7, 0}, {7, 3}, {7, 2}});  // joystick 2 fire, down, right
    EXPECT_EQ(fire.code, 18);
    EXPECT_EQ(fire.joy_y, 0xFC);
    EXPECT_EQ(fire.joy_x, 0x04);
}

}  // namespace
