// Reserved device names, read-only files and files that another program
// holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>

#include "platform/fd_io.hpp"
#include "platform/file_ops.hpp"
#include "platform/files.hpp"
#include "platform/profile.hpp"
#include "platform/text_file.hpp"
#include "testkit/testkit.hpp"

using namespace platform;

namespace {

size_t files_in(const testkit::TempDir& dir) {
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.is_regular_file();
    return n;
}

// Every way of writing a file; each must fail and leave it as it was.
void expect_no_write(const std::string& file) {
    int fd = -1;
    EXPECT_NE(fd_create(file, fd), 0) << file;
    EXPECT_NE(fd_open_write(file, fd), 0) << file;
    OutFile out;
    EXPECT_FALSE(out.open(file)) << file;
    EXPECT_FALSE(write_text(file, "new\n", false)) << file;
    EXPECT_FALSE(write_text(file, "new\n", true)) << file;
    EXPECT_FALSE(write_file_atomic(file, "new")) << file;
}

}  // namespace

TEST(WindowsFiles, DeviceNamesAreNoFiles) {
    testkit::TempDir dir;
    std::string source = (dir / "source.txt").string();
    testkit::write_bytes(source, "data");
    std::string data;
    // Known by their names, and not opened: a port could keep the open waiting.
    for (const char* name : {"CON", "NUL", "aux", "nul.txt", "\\\\.\\NUL", "C:\\no\\such\\com1.obj", "lpt1.lst"}) {
        EXPECT_FALSE(read_file(name, data)) << name;
        EXPECT_FALSE(is_regular_file(name)) << name;
        TextReader reader;
        EXPECT_FALSE(reader.open(name)) << name;
        int fd = -1;
        FdInfo info;
        EXPECT_EQ(fd_stat(name, info), ENODEV) << name;
        EXPECT_EQ(fd_open_read(name, fd), ENODEV) << name;
        EXPECT_EQ(fd_create(name, fd), ENODEV) << name;
        EXPECT_EQ(fd_open_write(name, fd), ENODEV) << name;
        OutFile out;
        errno = 0;
        EXPECT_FALSE(out.open(name)) << name;
        EXPECT_EQ(errno, ENODEV) << name;
        EXPECT_FALSE(write_text(name, "x", false)) << name;
        EXPECT_FALSE(write_file_atomic(name, "x")) << name;
        EXPECT_FALSE(copy_file(source, name)) << name;
        EXPECT_FALSE(move_file(source, name)) << name;
        EXPECT_FALSE(write_private_profile_string("s", "k", "v", name)) << name;
        EXPECT_EQ(get_private_profile_string("s", "k", "def ", name), "def") << name;
        EXPECT_EQ(get_private_profile_int("s", "k", 7, name), 7) << name;
    }
    EXPECT_EQ(testkit::read_bytes(source), "data");
    EXPECT_EQ(files_in(dir), 1u);
}

TEST(WindowsFiles, AReadOnlyFileIsNotWritten) {
    testkit::TempDir dir;
    std::string file = (dir / "ro.obj").string();
    std::string other = (dir / "other.obj").string();
    testkit::write_bytes(file, "old");
    testkit::write_bytes(other, "other");
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    expect_no_write(file);
    int fd = -1;
    EXPECT_EQ(fd_create(file, fd), EACCES);
    EXPECT_FALSE(copy_file(other, file));
    EXPECT_EQ(fd_rename(other, file), EACCES);
    std::string data;
    EXPECT_TRUE(read_file(file, data));  // still readable
    EXPECT_EQ(data, "old");
    EXPECT_EQ(files_in(dir), 2u);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
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
    expect_no_write(file);
    CloseHandle(held);
    EXPECT_EQ(testkit::read_bytes(file), "old");
    EXPECT_EQ(files_in(dir), 1u);  // no temporary file left behind
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
