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

TEST(Kscan, NamedKeysAndCombinationsFromAKeyScript) {
    EXPECT_EQ(typed(5, "{UP}{DOWN}{LEFT}{RIGHT}{FCTN+3}{CTRL+A}{SHIFT+x}{ctrl+=}{AID 30}@300{ENTER}"),
              "\x0B\x0A\x08\x09\x07\x81X\x9D\x01\r");
    EXPECT_EQ(typed(4, "{CTRL+H}{CTRL+SHIFT+A}{ENTER}"), "\x08\x01\r");  // mode 4; CTRL wins over SHIFT
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

// Key unit 1 or 2 scanned all the time; the joystick bytes and the key code
// sampled at the end of the given frames.
std::vector<Scan> scans_at(unsigned unit, std::string_view keys, std::initializer_list<uint64_t> frames) {
    char head[64];
    std::snprintf(head, sizeof head, "       LWPI WS\n       LI   R0,>%02X00\n", unit);
    auto m = scree_test::load_program(std::string(head) + R"(LOOP   MOVB R0,@>8374
       BLWP @KSCAN
       JMP  LOOP
WS     BSS  32
       END
)");
    EXPECT_TRUE(m->typist().type(keys));
    std::vector<Scan> out;
    for (uint64_t f : frames) {
        m->run(f, false);
        out.push_back({m->peek(0x8375), m->peek(0x837C), m->peek(0x8376), m->peek(0x8377), m->peek(0x8374)});
    }
    return out;
}

TEST(Kscan, JoysticksFromAKeyScriptThroughUnitsOneAndTwo) {
    const auto one = scans_at(1, "{J1:UP+LEFT 10}{J1:DOWN+RIGHT+FIRE}{J2:UP}", {5, 14, 18, 30});
    EXPECT_EQ(one[0].joy_y, 0x04);
    EXPECT_EQ(one[0].joy_x, 0xFC);
    EXPECT_EQ(one[0].code, 0xFF);
    EXPECT_EQ(one[1].joy_y, 0) << "released at frame 11";
    EXPECT_EQ(one[1].joy_x, 0);
    EXPECT_EQ(one[2].joy_y, 0xFC);
    EXPECT_EQ(one[2].joy_x, 0x04);
    EXPECT_EQ(one[2].code, 18) << "fire";
    EXPECT_EQ(one[3].joy_y, 0) << "joystick 2 is not unit 1's";
    const auto two = scans_at(2, "{J1:UP}{J2:FIRE+RIGHT}", {3, 11});
    EXPECT_EQ(two[0].joy_y, 0);
    EXPECT_EQ(two[1].code, 18);
    EXPECT_EQ(two[1].joy_x, 0x04);
}

// A program that reads the matrix itself, as games do: column by column
// through the 9901 (select on CRU >0024, rows on >0006), into 8 bytes.
TEST(Keyboard, KeyScriptReachesAProgramThatScansTheCruItself) {
    auto m = scree_test::load_program(R"(       LWPI WS
LOOP   CLR  R1
       LI   R3,ROWS
COL    LI   R12,>0024
       LDCR R1,3
       LI   R12,>0006
       STCR R2,8
       INV  R2
       MOVB R2,*R3+
       AI   R1,>0100
       CI   R1,>0800
       JL   COL
       JMP  LOOP
WS     BSS  32
ROWS   BSS  8
       END
)");
    ASSERT_TRUE(m->typist().type("{FCTN+3}{J2:DOWN+FIRE}@40{CTRL+SHIFT+Z}"));
    const auto rows = [&](uint64_t frame) {
        m->run(frame, false);
        std::string out;
        for (uint16_t i = 0; i < 8; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", m->peek(static_cast<uint16_t>(m->cpu().wp + 32 + i)));
            out += hex;
        }
        return out;
    };
    EXPECT_EQ(rows(1), "1000000000000000") << "FCTN a frame before the key";
    EXPECT_EQ(rows(3), "1000100000000000") << "FCTN and 3";
    EXPECT_EQ(rows(6), "0000000000000000");
    EXPECT_EQ(rows(11), "0000000000000009") << "joystick 2: fire and down";
    EXPECT_EQ(rows(42), "6000000000800000") << "SHIFT, CTRL and Z";
}

}  // namespace
