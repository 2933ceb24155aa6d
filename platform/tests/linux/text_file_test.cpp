#include "platform/text_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testkit/testkit.hpp"

using namespace platform;

TEST(TextReader, ReadsLikeFgetsInTextMode) {
    testkit::TempDir dir;
    auto file = (dir / "in.txt").string();
    testkit::write_bytes(file, "ab\r\ncd\n\re\r\r\n123456789\nlast");
    TextReader r;
    ASSERT_TRUE(r.open(file));
    std::string line;
    std::vector<std::string> lines;
    while (r.read_line(line, 6)) lines.push_back(line);
    EXPECT_FALSE(r.failed());
    std::vector<std::string> expected{"ab\n", "cd\n", "\re\r\n", "12345", "6789\n", "last"};
    EXPECT_EQ(lines, expected);

    ASSERT_TRUE(r.rewind());
    ASSERT_TRUE(r.read_line(line, 256));
    EXPECT_EQ(line, "ab\n");
}

TEST(TextReader, CrLfSplitAcrossBufferRefills) {
    testkit::TempDir dir;
    auto file = (dir / "big.txt").string();
    std::string data(65535, 'x');
    data += "\r\nnext\r\n";
    testkit::write_bytes(file, data);
    TextReader r;
    ASSERT_TRUE(r.open(file));
    std::string line;
    ASSERT_TRUE(r.read_line(line, 1 << 20));
    EXPECT_EQ(line.size(), 65536u);
    EXPECT_EQ(line.back(), '\n');
    ASSERT_TRUE(r.read_line(line, 256));
    EXPECT_EQ(line, "next\n");
    EXPECT_FALSE(r.read_line(line, 256));
}

TEST(TextReader, SmallAndSizelessFilesAfterABigOne) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "big.txt", std::string(100000, 'b') + "\n");
    testkit::write_bytes(dir / "Small.txt", "one\r\ntwo\r");
    TextReader r;
    std::string line;
    ASSERT_TRUE(r.open((dir / "big.txt").string()));
    ASSERT_TRUE(r.read_line(line, 1 << 20));
    EXPECT_EQ(line.size(), 100001u);
    ASSERT_TRUE(r.open((dir / "small.TXT").string()));  // found ignoring case
    std::vector<std::string> lines;
    while (r.read_line(line, 256)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\r"}));
    // A file that tells no size is read to its end all the same.
    ASSERT_TRUE(r.open("/proc/self/status"));
    lines.clear();
    while (r.read_line(line, 4096)) lines.push_back(line);
    EXPECT_GT(lines.size(), 5u);
    EXPECT_FALSE(r.failed());
}

TEST(OutFile, TextModeWritesCrLf) {
    testkit::TempDir dir;
    auto file = (dir / "out.txt").string();
    OutFile out;
    ASSERT_TRUE(out.open(file));
    out.write("one\ntwo\n");
    out.put('\n');
    ASSERT_TRUE(out.close());
    EXPECT_EQ(testkit::read_bytes(file), "one\r\ntwo\r\n\r\n");

    ASSERT_TRUE(out.open(file, OutFile::Mode::Binary));
    out.write("a\nb");
    ASSERT_TRUE(out.close());
    EXPECT_EQ(testkit::read_bytes(file), "a\nb");
    EXPECT_FALSE(out.open((dir / "missing" / "x").string()));
}

TEST(TextReader, RefusesWhatCouldBlock) {
    testkit::TempDir dir;
    auto fifo = (dir / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TextReader r;
    EXPECT_FALSE(r.open(fifo));
    EXPECT_FALSE(r.open(dir.path().string()));
    EXPECT_TRUE(r.open("/dev/null"));
    std::string line;
    EXPECT_FALSE(r.read_line(line, 256));
}
