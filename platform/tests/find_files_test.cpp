#include "platform/find_files.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using platform::wildcard_match;

TEST(WildcardMatch, WindowsRules) {
    EXPECT_TRUE(wildcard_match("*.*", "noext"));
    EXPECT_TRUE(wildcard_match("*.txt", "A.TXT"));
    EXPECT_FALSE(wildcard_match("*.txt", "a.txt.bak"));
    EXPECT_TRUE(wildcard_match("a?c", "abc"));
    EXPECT_FALSE(wildcard_match("a?c", "ac"));
    EXPECT_TRUE(wildcard_match("ab?", "ab"));  // '?' may match nothing at the end
    EXPECT_TRUE(wildcard_match("x.*", "x"));
    EXPECT_TRUE(wildcard_match("*.", "readme"));
    EXPECT_FALSE(wildcard_match("*.", "read.me"));
    EXPECT_TRUE(wildcard_match("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(wildcard_match("*a*b", "xxaxxbxx"));
}

TEST(WildcardMatch, QuestionMarksAndDots) {
    // '?' never matches a dot: there it, and the '?' after it, match nothing.
    EXPECT_TRUE(wildcard_match("a?.txt", "a.txt"));
    EXPECT_TRUE(wildcard_match("a?.txt", "ab.txt"));
    EXPECT_FALSE(wildcard_match("a?.txt", "abc.txt"));
    EXPECT_FALSE(wildcard_match("???", "a.b"));
    EXPECT_TRUE(wildcard_match("???", "ab"));
    EXPECT_FALSE(wildcard_match("???", "abcd"));
    EXPECT_FALSE(wildcard_match("a?b", "a.b"));
    EXPECT_FALSE(wildcard_match("?", ".x"));
    // "*." before the extension stops at the last dot; ".*" and ".?" may match nothing.
    EXPECT_TRUE(wildcard_match("*.txt", "a.b.txt"));
    EXPECT_TRUE(wildcard_match("*.*", "a.b.c"));
    EXPECT_TRUE(wildcard_match("*.*", ".profile"));
    EXPECT_TRUE(wildcard_match("x.*", "x.y.z"));
    EXPECT_TRUE(wildcard_match("*.?", "a"));
    EXPECT_TRUE(wildcard_match("*.?", "a.b"));
    EXPECT_FALSE(wildcard_match("*.?", "a.bc"));
    EXPECT_TRUE(wildcard_match("*.t*", "a.t"));
    EXPECT_FALSE(wildcard_match("*.t*", "abc"));
    EXPECT_TRUE(wildcard_match("a*.", "abc"));
    EXPECT_FALSE(wildcard_match("a*.", "ab.c"));
    EXPECT_FALSE(wildcard_match("a*.", "xbc"));
    EXPECT_TRUE(wildcard_match("A*", "a.b.c"));
}

TEST(FindFiles, MatchesFilesAndDirectoriesSorted) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "b.txt", "");
    testkit::write_bytes(dir / "A.txt", "");
    testkit::write_bytes(dir / "c.ini", "");
    std::filesystem::create_directory(dir / "sub.txt");
    auto found = platform::find_files((dir / "*.TXT").string());
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, "A.txt");
    EXPECT_EQ(found[1].name, "b.txt");
    EXPECT_TRUE(found[2].is_directory);
    EXPECT_EQ(platform::find_files((dir / "a.TXT").string()).at(0).name, "A.txt");
    EXPECT_TRUE(platform::find_files((dir / "none*").string()).empty());
    EXPECT_TRUE(platform::find_files((dir / "missing" / "*").string()).empty());
    for (const auto& f : platform::find_files((dir / "*").string())) EXPECT_NE(f.name, "..");
    EXPECT_TRUE(platform::find_files((dir / "..").string()).at(0).is_directory);
    auto with_dots = platform::find_files((dir / "*").string(), true);
    EXPECT_EQ(with_dots.at(0).name, "..");
}
