#include <gtest/gtest.h>

#include "engine/safe_format.hpp"

using namespace dok;

TEST(FormatNumber, KeepsOnlyTheFirstConversion) {
    EXPECT_EQ(format_number("%05d of %d", 42, 254), "00042 of  d");
    EXPECT_EQ(format_number("%x", 255, 254), "ff");
    EXPECT_EQ(format_number("%-4d|", 7, 254), "7   |");
    EXPECT_EQ(format_number("%c", 65, 254), "A");
    EXPECT_EQ(format_number("%u", -1, 254), "4294967295");
    EXPECT_EQ(format_number("no conversion", 1, 254), "no conversion");
}

TEST(FormatNumber, HostileConversionsAreText) {
    EXPECT_EQ(format_number("%s", 5, 254), "%s");
    EXPECT_EQ(format_number("%n", 5, 254), "%n");
    EXPECT_EQ(format_number("%*d", 5, 254), "%*d");
    EXPECT_EQ(format_number("%-", 5, 254), "%-");
    EXPECT_EQ(format_number("%", 5, 254), "%");
    EXPECT_EQ(format_number("%ld", 5, 254), "5");
}

TEST(FormatNumber, WidthBeyondTheResultFails) {
    EXPECT_FALSE(format_number("%255d", 1, 254));
    EXPECT_FALSE(format_number("%.99999999999999999999d", 1, 254));
    EXPECT_EQ(format_number("%254d", 1, 254)->size(), 254u);
}

TEST(FormatString, Conversions) {
    EXPECT_EQ(format_string("[%-6s]", "ab", 254), "[ab    ]");
    EXPECT_EQ(format_string("[%.2s]", "abcdef", 254), "[ab]");
    EXPECT_EQ(format_string("%d", "ab", 254), "%d");
    EXPECT_EQ(format_string("%s and %s", "x", 254), "x and  s");
    EXPECT_FALSE(format_string("%s", std::string(300, 'a'), 254));
}

TEST(FormatConversions, ZeroFlagAndShortSize) {
    // The '0' flag pads texts and characters with zeros as well.
    EXPECT_EQ(format_string("%08s", "101", 254), "00000101");
    EXPECT_EQ(format_string("%-05s|", "ab", 254), "ab   |");
    EXPECT_EQ(format_string("%05.1s", "ab", 254), "0000a");
    EXPECT_EQ(format_number("%03c", 65, 254), "00A");
    EXPECT_EQ(format_number("%08.3d", 42, 254), "     042");
    // 'h' takes the value as a short, unless 'l' makes it long.
    EXPECT_EQ(format_number("%hd", 70000, 254), "4464");
    EXPECT_EQ(format_number("%hu", -1, 254), "65535");
    EXPECT_EQ(format_number("%hx", 0x12345, 254), "2345");
    EXPECT_EQ(format_number("%hld", 70000, 254), "70000");
}

TEST(FormatMessage, ArgumentsByKind) {
    std::vector<MessageArg> args{MessageArg::of("one"), MessageArg::of("two")};
    EXPECT_EQ(format_message("%s-%s-%s", args), "one-two-%s");
    EXPECT_EQ(format_message("%d %s", args), "%d one");
    EXPECT_EQ(format_message("100%% %n %x", args), "100% %n %x");
    EXPECT_EQ(format_message("%d", {MessageArg::of(int64_t{7})}), "7");
    EXPECT_EQ(format_message("%u", {MessageArg::of(int64_t{-1})}), "4294967295");
    EXPECT_EQ(format_message("end %", args), "end %");
}
