// The system's profile functions behind the same interface: reads as on
// Linux, writes through a copy that replaces the file.
#include "platform/profile.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using namespace platform;

namespace {
const char kIni[] =
    "; settings\r\n"
    "[Config]\r\n"
    "  Extensions = A99;ASM  \r\n"
    "quoted=\"  spaced  \"\r\n"
    "count= 42x\r\n"
    "\r\n"
    "[other]\r\n"
    "extensions=wrong\r\n";

size_t files_in(const testkit::TempDir& dir) {
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.is_regular_file();
    return n;
}
}  // namespace

TEST(WindowsProfile, ReadsWithTheRulesOfLinux) {
    testkit::TempDir dir;
    testkit::ScopedCwd cwd(dir.path());
    testkit::write_bytes(dir / "t.ini", kIni);
    const std::string file = "t.ini";  // in the current folder, not the Windows folder
    EXPECT_EQ(get_private_profile_string("CONFIG", "EXTENSIONS", "", file), "A99;ASM");
    EXPECT_EQ(get_private_profile_string("config", "quoted", "", file), "  spaced  ");
    EXPECT_EQ(get_private_profile_string("config", "missing", "def  ", file), "def");
    EXPECT_EQ(get_private_profile_string("config", "extensions", "", file, 4), "A99");
    EXPECT_EQ(get_private_profile_string("config", "x", "d", "none.ini"), "d");
    EXPECT_EQ(get_private_profile_int("config", "count", 7, file), 42);
    EXPECT_EQ(get_private_profile_int("config", "absent", 7, file), 7);
    auto lines = get_private_profile_section("other", file);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "extensions=wrong");
}

TEST(WindowsProfile, WritesKeepTheRestAndLeaveNoCopy) {
    testkit::TempDir dir;
    auto file = (dir / "t.ini").string();
    testkit::write_bytes(file, kIni);
    ASSERT_TRUE(write_private_profile_string("CONFIG", "count", "7", file));
    ASSERT_TRUE(write_private_profile_string("other", "new", "v", file));
    EXPECT_EQ(get_private_profile_int("config", "count", 0, file), 7);
    EXPECT_EQ(get_private_profile_string("other", "new", "", file), "v");
    EXPECT_EQ(get_private_profile_string("config", "extensions", "", file), "A99;ASM");
    EXPECT_EQ(testkit::read_bytes(file).rfind("; settings\r\n", 0), 0u) << testkit::read_bytes(file);
    ASSERT_TRUE(write_private_profile_string("config", std::nullopt, std::nullopt, file));
    EXPECT_EQ(get_private_profile_string("config", "extensions", "gone", file), "gone");
    ASSERT_TRUE(write_private_profile_section("fresh", {"a=1", "b=2"}, file));
    EXPECT_EQ(get_private_profile_section("fresh", file), (std::vector<std::string>{"a=1", "b=2"}));
    EXPECT_EQ(files_in(dir), 1u);
    EXPECT_FALSE(write_private_profile_string("s", "k", "v", (dir / "no" / "x.ini").string()));
    EXPECT_EQ(files_in(dir), 1u);
}

TEST(WindowsProfile, AReadOnlyFileIsNotChanged) {
    testkit::TempDir dir;
    auto file = (dir / "ro.ini").string();
    testkit::write_bytes(file, kIni);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_FALSE(write_private_profile_string("config", "count", "1", file));
    std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(testkit::read_bytes(file), kIni);
    EXPECT_EQ(files_in(dir), 1u);
}
