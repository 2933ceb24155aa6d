#include "platform/folder_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "testkit/testkit.hpp"

namespace {

size_t entries(const std::filesystem::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

// A name written again, or one that an entry of the folder has in another
// case, replaces that entry; new names are created as given.
TEST(FolderWriter, ReplacesTheEntryOfTheSameNameIgnoringCase) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "FRAME000001.PNG", "old");
    platform::FolderWriter writer;
    ASSERT_TRUE(writer.open(dir.path().string()));
    EXPECT_TRUE(writer.write("frame000001.png", "one"));
    EXPECT_EQ(testkit::read_bytes(dir / "FRAME000001.PNG"), "one");
    EXPECT_TRUE(writer.write("frame000002.png", "two"));
    EXPECT_TRUE(writer.write("Frame000002.PNG", "two again"));
    EXPECT_EQ(testkit::read_bytes(dir / "frame000002.png"), "two again");
    EXPECT_EQ(entries(dir.path()), 2u);
    EXPECT_EQ(writer.last_path(), dir.path().string() + "/Frame000002.PNG");
}

TEST(FolderWriter, RefusesWhatIsNotAFolderOrNotAName) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "file", "x");
    std::filesystem::create_directory(dir / "taken");
    platform::FolderWriter writer;
    EXPECT_FALSE(writer.open((dir / "file").string()));
    EXPECT_FALSE(writer.open((dir / "missing").string()));
    ASSERT_TRUE(writer.open(dir.path().string()));
    EXPECT_FALSE(writer.write("", "x"));
    EXPECT_FALSE(writer.write("sub/name", "x"));
    EXPECT_FALSE(writer.write("..\\name", "x"));
    EXPECT_FALSE(writer.write("*.png", "x"));
    EXPECT_FALSE(writer.write("TAKEN", "x")) << "a folder of that name";
    EXPECT_EQ(testkit::read_bytes(dir / "file"), "x");
    EXPECT_EQ(entries(dir.path()), 2u);
}

}  // namespace
