#include "platform/profile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testkit/testkit.hpp"

using namespace platform;

namespace {
const char kIni[] =
    "; settings\r\n"
    "[Config]\r\n"
    "  Extensions = A99;ASM  \r\n"
    "quoted=\"  spaced  \"\r\n"
    "count= 42x\r\n"
    "noequals\r\n"
    "\r\n"
    "[other]\n"
    "extensions=wrong\n";
}

TEST(Profile, ReadsWithWindowsRules) {
    testkit::TempDir dir;
    auto file = (dir / "t.ini").string();
    testkit::write_bytes(file, kIni);

    EXPECT_EQ(get_private_profile_string("CONFIG", "EXTENSIONS", "", file), "A99;ASM");
    EXPECT_EQ(get_private_profile_string("config", "quoted", "", file), "  spaced  ");
    EXPECT_EQ(get_private_profile_string("config", "missing", "def  ", file), "def");
    EXPECT_EQ(get_private_profile_string("nosection", "x", "d", file), "d");
    EXPECT_EQ(get_private_profile_string("config", "extensions", "", file, 4), "A99");
    EXPECT_EQ(get_private_profile_string("config", "x", "d", (dir / "none.ini").string()), "d");
    EXPECT_EQ(get_private_profile_int("config", "count", 7, file), 42);
    EXPECT_EQ(get_private_profile_int("config", "absent", 7, file), 7);

    auto lines = get_private_profile_section("CONFIG", file);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Extensions = A99;ASM");
    EXPECT_EQ(lines[3], "noequals");
    // A 10-byte buffer holds "Extension" and the closing NULs.
    auto cut = get_private_profile_section("config", file, 11);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0], "Extension");
}

TEST(Profile, ReadsOnlyTheFirstSectionOfAName) {
    testkit::TempDir dir;
    auto file = (dir / "t.ini").string();
    testkit::write_bytes(file, "[a]\r\nk=first\r\n[b]\r\nonly=b\r\n[A]\r\nk=second\r\nlater=1\r\n[c]\nlast=no end");
    EXPECT_EQ(get_private_profile_string("a", "k", "", file), "first");
    EXPECT_EQ(get_private_profile_string("a", "later", "d", file), "d");
    EXPECT_EQ(get_private_profile_string("a", "only", "d", file), "d");
    EXPECT_EQ(get_private_profile_int("A", "later", 7, file), 7);
    EXPECT_EQ(get_private_profile_section("a", file), std::vector<std::string>{"k=first"});
    EXPECT_EQ(get_private_profile_string("c", "last", "", file), "no end");
}

TEST(Profile, WritesKeepTheRestOfTheFile) {
    testkit::TempDir dir;
    auto file = (dir / "t.ini").string();
    testkit::write_bytes(file, kIni);
    chmod(file.c_str(), 0640);

    ASSERT_TRUE(write_private_profile_string("CONFIG", "count", "7", file));
    ASSERT_TRUE(write_private_profile_string("other", "new", "v", file));
    ASSERT_TRUE(write_private_profile_string("config", "noequals", std::nullopt, file));
    EXPECT_EQ(testkit::read_bytes(file),
              "; settings\r\n[Config]\r\n  Extensions = A99;ASM  \r\nquoted=\"  spaced  \"\r\ncount=7\r\n\r\n"
              "[other]\nextensions=wrong\nnew=v\r\n");
    struct stat st;
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ASSERT_TRUE(write_private_profile_string("config", std::nullopt, std::nullopt, file));
    EXPECT_EQ(testkit::read_bytes(file), "; settings\r\n[other]\nextensions=wrong\nnew=v\r\n");
}

TEST(Profile, SectionWritesReplaceEntriesAndCreateFiles) {
    testkit::TempDir dir;
    auto file = (dir / "new.ini").string();
    ASSERT_TRUE(write_private_profile_string("settings", "a", "1", file));
    ASSERT_TRUE(write_private_profile_string("settings", "b", "2", file));
    ASSERT_TRUE(write_private_profile_string("layout", "x", "3", file));
    EXPECT_EQ(testkit::read_bytes(file), "[settings]\r\na=1\r\nb=2\r\n\r\n[layout]\r\nx=3\r\n");

    ASSERT_TRUE(write_private_profile_section("settings", {}, file));
    EXPECT_EQ(testkit::read_bytes(file), "[settings]\r\n\r\n[layout]\r\nx=3\r\n");
    ASSERT_TRUE(write_private_profile_section("SETTINGS", {"k=v"}, file));
    EXPECT_EQ(get_private_profile_string("settings", "K", "", file), "v");

    // A folder that does not exist: failure, nothing written.
    EXPECT_FALSE(write_private_profile_string("s", "k", "v", (dir / "no" / "x.ini").string()));
}

TEST(Profile, LongFileNamesCanBeWritten) {
    testkit::TempDir dir;
    auto file = (dir / (std::string(250, 'n') + ".ini")).string();
    ASSERT_TRUE(write_private_profile_string("s", "k", "v", file));
    EXPECT_EQ(get_private_profile_string("s", "k", "", file), "v");
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1u);  // no temporary file left behind
}

TEST(Profile, AFifoReadsAsAMissingFile) {
    testkit::TempDir dir;
    auto fifo = (dir / "pipe.ini").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(get_private_profile_string("s", "k", "def", fifo), "def");
}
