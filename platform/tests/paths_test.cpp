#include "platform/paths.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

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

TEST(ResolvePath, DriveLetterMapsToItsRoot) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "x" / "util.a99", "x");
    set_drive_root('c', dir.path().string());
    EXPECT_EQ(resolve_path("C:\\X\\UTIL.A99"), (dir / "x" / "util.a99").string());
    set_drive_root('c', "");
    EXPECT_EQ(to_host_path("D:\\tmp\\a"), "/tmp/a");
}
