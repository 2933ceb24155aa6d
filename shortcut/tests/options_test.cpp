#include "shortcut/options.hpp"

#include <gtest/gtest.h>

using namespace pinmaker;

TEST(IconOffset, DecimalKeptAsSignedByte) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"5", 5},       {"  -3", -3},  {"+7", 7},         {"127", 127},
        {"128", -128},  {"-129", 127}, {"300", 44},       {"12abc", 12},
        {"", 0},        {"x5", 0},     {"- 5", 0},        {"\t 9", 9},
        {"99999999999999999999", -1},  // 10^20 - 1 leaves 255 in the low byte
    };
    for (const Case& c : cases) EXPECT_EQ(parse_icon_offset(c.text), c.value) << '"' << c.text << '"';
}

TEST(Options, LettersValuesAndRepeats) {
    Options o = parse_options({"-sA.lnk", "-TC:\\x.exe", "-a", "-W\"dir\"", "ignored", "-X1", "-", "-n5", "-ddesc",
                               "-q", "-SB.lnk", "-Iicon"});
    EXPECT_EQ(o.shortcut_name, "B.lnk");  // the later one wins
    EXPECT_EQ(o.target, "C:\\x.exe");
    EXPECT_EQ(o.arguments, "");           // given, empty
    EXPECT_EQ(o.working_directory, "\"dir\"");
    EXPECT_EQ(o.icon_path, "icon");
    EXPECT_EQ(o.icon_offset, 5);
    EXPECT_EQ(o.description, "desc");
    EXPECT_TRUE(o.quiet);

    Options none = parse_options({"S", "T"});
    EXPECT_FALSE(none.shortcut_name || none.target || none.arguments || none.quiet);
}
