#include "platform/process.hpp"

#include <gtest/gtest.h>

using platform::split_command_line;

TEST(SplitCommandLine, WindowsRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ(split_command_line("  a  b\tc "), (V{"a", "b", "c"}));
    EXPECT_EQ(split_command_line("\"a b\" c"), (V{"a b", "c"}));
    EXPECT_EQ(split_command_line("a\"b c\"d"), (V{"ab cd"}));
    EXPECT_EQ(split_command_line("C:\\tools\\asm.exe x"), (V{"C:\\tools\\asm.exe", "x"}));
    EXPECT_EQ(split_command_line("a\\\\\"b c\""), (V{"a\\b c"}));
    EXPECT_EQ(split_command_line("a\\\"b"), (V{"a\"b"}));
    EXPECT_EQ(split_command_line("\"a\"\"b\""), (V{"a\"b"}));
    EXPECT_EQ(split_command_line("\"\""), (V{""}));
    EXPECT_TRUE(split_command_line("   ").empty());
}

