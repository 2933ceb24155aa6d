#include "platform/paths.hpp"

#include <gtest/gtest.h>

using namespace platform;

TEST(SplitPath, PartsAndFlags) {
    PathParts p = split_path("C:\\LIB\\UTIL.A99");
    EXPECT_EQ(p.drive, "C:");
    EXPECT_EQ(p.directory, "\\LIB\\");
    EXPECT_EQ(p.name, "UTIL");
    EXPECT_EQ(p.extension, ".A99");
    EXPECT_EQ(p.flags, kHasDrive | kHasDirectory | kHasName | kHasExtension);

    p = split_path("src/prog.a99");
    EXPECT_EQ(p.directory, "src/");
    EXPECT_EQ(p.flags, kHasDirectory | kHasName | kHasExtension);

    p = split_path("dir.v2\\name");  // the dot of a directory is no extension
    EXPECT_EQ(p.name, "name");
    EXPECT_EQ(p.extension, "");
    EXPECT_EQ(split_path("*.obj").flags, kHasWildcards | kHasName | kHasExtension);
    EXPECT_EQ(split_path("").flags, 0u);
}

TEST(SplitPath, JoinAddsSeparatorAndDot) {
    EXPECT_EQ(join_path("C:", "\\LIB", "UTIL", "A99"), "C:\\LIB\\UTIL.A99");
    EXPECT_EQ(join_path("", "src/", "prog", ".obj"), "src/prog.obj");
    EXPECT_EQ(join_path("", "", "prog", ""), "prog");
}


// The files of a program chain: GAME1, GAME2, ...
TEST(CountUpName, TheLastCharacterOfTheNamePart) {
    std::string n = "GAME1.PRG";
    EXPECT_TRUE(count_up_name(n));
    EXPECT_EQ(n, "GAME2.PRG");
    n = "c:\\dir.x\\A9";
    EXPECT_TRUE(count_up_name(n));
    EXPECT_EQ(n, "c:\\dir.x\\A:");
    n = "DSK1\\GAME1.PRG";
    ASSERT_TRUE(count_up_name(n));
    EXPECT_EQ(n, "DSK1\\GAME2.PRG");
    n = "dir/HELLO";
    ASSERT_TRUE(count_up_name(n));
    EXPECT_EQ(n, "dir/HELLP");
    // No name part; '-' + 1 is '.', which would start an extension; '9' + 1
    // is ':', a drive; '[' + 1 is '\', a separator.
    for (std::string bad : {"X9", "GAME[", "dir/.ext", "A-", "A.b/", "dir/"}) EXPECT_FALSE(count_up_name(bad)) << bad;
}
