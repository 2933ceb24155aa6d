#include "platform/files.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using namespace platform;

TEST(ReadFile, WholeFilesOfEverySize) {
    testkit::TempDir dir;
    for (size_t size : {size_t{0}, size_t{1}, size_t{1023}, size_t{65535}, size_t{65536}, size_t{65537},
                        size_t{200000}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31 + i / 7);
        auto file = (dir / ("f" + std::to_string(size))).string();
        testkit::write_bytes(file, bytes);
        std::string back = "stale";
        ASSERT_TRUE(read_file(file, back)) << size;
        EXPECT_EQ(back, bytes) << size;
    }
    // A file that tells no size still reads to its end.
    std::string status;
    ASSERT_TRUE(read_file("/proc/self/status", status));
    EXPECT_NE(status.find("\nPid:"), std::string::npos);
    testkit::write_bytes(dir / "Mixed.TXT", "case");
    ASSERT_TRUE(read_file((dir / "mixed.txt").string(), status));  // found ignoring case
    EXPECT_EQ(status, "case");
    EXPECT_FALSE(read_file((dir / "missing").string(), status));
    EXPECT_FALSE(read_file(dir.path().string(), status));
}
