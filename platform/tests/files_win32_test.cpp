// Reserved device names and files that another program holds.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/fd_io.hpp"
#include "platform/files.hpp"
#include "platform/text_file.hpp"
#include "testkit/testkit.hpp"

using namespace platform;

TEST(WindowsFiles, DeviceNamesAreNoFiles) {
    std::string data;
    for (const char* name : {"CON", "NUL", "aux", "nul.txt"}) {
        EXPECT_FALSE(read_file(name, data)) << name;
        EXPECT_FALSE(is_regular_file(name)) << name;
        TextReader reader;
        EXPECT_FALSE(reader.open(name)) << name;
    }
    EXPECT_FALSE(write_file_atomic("NUL", "x"));
}

TEST(WindowsFiles, AFileHeldByAnotherProgramIsLeftAlone) {
    testkit::TempDir dir;
    std::string file = (dir / "held.txt").string();
    testkit::write_bytes(file, "old");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string data;
    EXPECT_FALSE(read_file(file, data));
    int fd = -1;
    EXPECT_EQ(fd_open_read(file, fd), EACCES);
    EXPECT_FALSE(write_file_atomic(file, "new"));
    CloseHandle(held);
    EXPECT_EQ(testkit::read_bytes(file), "old");
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.is_regular_file();
    EXPECT_EQ(n, 1u);  // no temporary file left behind
}

TEST(WindowsFiles, ReplacingKeepsTheFileWhole) {
    testkit::TempDir dir;
    std::string file = (dir / "f.bin").string();
    std::string bytes("a\r\nb\n\0\x1a\xff", 8);
    ASSERT_TRUE(write_file_atomic(file, bytes));
    std::string back;
    ASSERT_TRUE(read_file(file, back));
    EXPECT_EQ(back, bytes);  // binary: no line end or end-of-file translation
    FdInfo a, b;
    ASSERT_EQ(fd_stat(file, a), 0);
    EXPECT_TRUE(a.is_regular);
    ASSERT_EQ(fd_stat(dir.path().string(), b), 0);
    EXPECT_TRUE(b.is_directory);
    int fd = -1;
    EXPECT_EQ(fd_open_read(dir.path().string(), fd), EISDIR);
}
