#include "platform/paths.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using namespace platform;

TEST(ResolvePath, MatchesIgnoringCaseAndBackslashes) {
    testkit::TempDir dir;
    std::filesystem::create_directories(dir / "Lib" / "Sub");
    testkit::write_bytes(dir / "Lib" / "Sub" / "Util.a99", "x");
    std::string root = dir.path().string();

    EXPECT_EQ(resolve_path(root + "\\LIB\\sub\\UTIL.A99"), root + "/Lib/Sub/Util.a99");
    // A missing name keeps its spelling, in the resolved folder.
    EXPECT_EQ(resolve_path(root + "/lib/NEW.obj"), root + "/Lib/NEW.obj");

    testkit::ScopedCwd cwd(dir.path());
    EXPECT_EQ(resolve_path(".\\lib\\SUB\\util.A99"), "./Lib/Sub/Util.a99");
}

TEST(ResolvePath, FolderAsWrittenThenNameIgnoringCase) {
    testkit::TempDir dir;
    std::filesystem::create_directories(dir / "Lib" / "Sub");
    testkit::write_bytes(dir / "Lib" / "Sub" / "Util.a99", "x");
    std::string root = dir.path().string();

    EXPECT_EQ(resolve_path(root + "/Lib/Sub/UTIL.A99"), root + "/Lib/Sub/Util.a99");
    EXPECT_EQ(resolve_path(root + "/Lib/Sub/../Sub/util.A99"), root + "/Lib/Sub/../Sub/Util.a99");
    EXPECT_EQ(resolve_path(root + "/Lib/Sub/new.obj"), root + "/Lib/Sub/new.obj");
    // Doubled separators and a missing folder take the walk through every name.
    EXPECT_EQ(resolve_path(root + "//lib//sub//util.a99"), root + "/Lib/Sub/Util.a99");
    EXPECT_EQ(resolve_path(root + "/Lib/none/UTIL.A99"), root + "/Lib/none/UTIL.A99");
    // A file is no folder.
    EXPECT_EQ(resolve_path(root + "/Lib/Sub/Util.a99/x"), root + "/Lib/Sub/Util.a99/x");
}

TEST(ResolvePath, DriveLetterMapsToItsRoot) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "x" / "util.a99", "x");
    set_drive_root('c', dir.path().string());
    EXPECT_EQ(resolve_path("C:\\X\\UTIL.A99"), (dir / "x" / "util.a99").string());
    set_drive_root('c', "");
    EXPECT_EQ(to_host_path("D:\\tmp\\a"), "/tmp/a");
}
