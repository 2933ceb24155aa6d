#include "platform/file_ops.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testkit/testkit.hpp"

namespace fs = std::filesystem;

TEST(FileOps, CopyReplacesAndKeepsTime) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "a", "new");
    testkit::write_bytes(dir / "b", "old contents");
    fs::last_write_time(dir / "a", fs::file_time_type::clock::now() - std::chrono::hours(5));
    ASSERT_TRUE(platform::copy_file((dir / "a").string(), (dir / "b").string()));
    EXPECT_EQ(testkit::read_bytes(dir / "b"), "new");
    EXPECT_EQ(fs::last_write_time(dir / "a"), fs::last_write_time(dir / "b"));
    EXPECT_FALSE(platform::copy_file((dir / "a").string(), (dir / "a").string()));
    EXPECT_EQ(testkit::read_bytes(dir / "a"), "new");
    EXPECT_FALSE(platform::copy_file((dir / "missing").string(), (dir / "b").string()));
    EXPECT_EQ(testkit::read_bytes(dir / "b"), "new");
    fs::create_directory(dir / "d");
    EXPECT_FALSE(platform::copy_file((dir / "a").string(), (dir / "d").string()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);  // no leftovers
    std::string longest(255, 'n');  // the longest name a folder can hold
    ASSERT_TRUE(platform::copy_file((dir / "a").string(), (dir / longest).string()));
    EXPECT_EQ(testkit::read_bytes(dir / longest), "new");
}

TEST(FileOps, MoveNeverReplaces) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "a", "A");
    testkit::write_bytes(dir / "b", "B");
    EXPECT_FALSE(platform::move_file((dir / "a").string(), (dir / "b").string()));
    EXPECT_EQ(testkit::read_bytes(dir / "b"), "B");
    EXPECT_TRUE(platform::move_file((dir / "a").string(), (dir / "c").string()));
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_TRUE(platform::move_file((dir / "c").string(), (dir / "C").string()));  // a change of case
    EXPECT_EQ(testkit::read_bytes(dir / "C"), "A");
}

TEST(FileOps, DeleteDirectoriesAndTimes) {
    testkit::TempDir dir;
    fs::create_directory(dir / "d");
    EXPECT_FALSE(platform::delete_file((dir / "d").string()));
    EXPECT_FALSE(platform::make_directory((dir / "x" / "y").string()));
    EXPECT_TRUE(platform::make_directory((dir / "x").string()));
    EXPECT_FALSE(platform::make_directory((dir / "x").string()));
    testkit::write_bytes(dir / "x" / "f", "");
    EXPECT_FALSE(platform::remove_directory((dir / "x").string()));
    EXPECT_TRUE(platform::delete_file((dir / "X" / "F").string()));  // case-insensitive names
    EXPECT_TRUE(platform::remove_directory((dir / "x").string()));
    int64_t t = 0;
    EXPECT_FALSE(platform::last_write_time((dir / "d").string(), t));
    testkit::write_bytes(dir / "f", "");
    EXPECT_TRUE(platform::last_write_time((dir / "f").string(), t));
    EXPECT_GT(t, 0);
}

TEST(FileOps, WriteTextAppendsOrReplaces) {
    testkit::TempDir dir;
    std::string p = (dir / "log").string();
    EXPECT_TRUE(platform::write_text(p, "a\n", true));
    EXPECT_TRUE(platform::write_text(p, "b\r\n", true));
    EXPECT_EQ(testkit::read_bytes(p), "a\r\nb\r\r\n");
    EXPECT_TRUE(platform::write_text(p, "c", false));
    EXPECT_EQ(testkit::read_bytes(p), "c");
    EXPECT_FALSE(platform::write_text(dir.path().string(), "x", true));
}

TEST(FileOps, NewNamesWithWildcardsAreRefused) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "a", "A");
    EXPECT_FALSE(platform::copy_file((dir / "a").string(), (dir / "*.bak").string()));
    EXPECT_FALSE(platform::move_file((dir / "a").string(), (dir / "a?").string()));
    EXPECT_FALSE(platform::make_directory((dir / "d*").string()));
    EXPECT_FALSE(platform::write_text((dir / "log?").string(), "x", true));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}
