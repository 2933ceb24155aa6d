#include "platform/paths.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using namespace platform;

TEST(WindowsPaths, DriveLettersStayAndSeparatorsBecomeSlashes) {
    EXPECT_EQ(to_host_path("C:\\LIB\\UTIL.A99"), "C:/LIB/UTIL.A99");
    EXPECT_EQ(resolve_path("d:rel\\x"), "d:rel/x");
    EXPECT_EQ(to_host_path("\\\\server\\share\\x"), "//server/share/x");
    testkit::TempDir dir;
    testkit::write_bytes(dir / "x" / "util.a99", "x");
    set_drive_root('q', dir.path().string());
    std::string mapped = resolve_path("Q:\\X\\UTIL.A99");
    set_drive_root('q', "");
    EXPECT_TRUE(std::filesystem::exists(mapped)) << mapped;
}

TEST(WindowsPaths, ProgramAndCurrentFolder) {
    std::string self = program_path();
    ASSERT_GE(self.size(), 3u);
    EXPECT_EQ(self[1], ':');
    EXPECT_TRUE(equals_ignore_case(self.substr(self.size() - 4), ".exe")) << self;
    testkit::TempDir dir;
    std::string before = current_directory();
    std::string target = dir.path().string();
    for (char& c : target)
        if (c == '/') c = '\\';
    ASSERT_TRUE(set_current_directory(target + "\\"));
    std::string now = current_directory();
    EXPECT_EQ(now.find('\\'), std::string::npos) << now;
    EXPECT_NE(now.back(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(now, dir.path()));
    ASSERT_TRUE(set_current_directory(before));
}
