#include "platform/console_device.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using namespace platform;

TEST(ConsoleDevice, WritesEveryByteToTheDevice) {
    testkit::TempDir dir;
    auto path = (dir / "tty").string();
    testkit::write_bytes(path, "");
    std::string big(5000, 'x');  // larger than the stream buffer
    {
        ConsoleDevice dev(path);
        ASSERT_TRUE(dev.opened());
        dev.stream() << "a\r\n" << big;
        dev.stream().flush();
        EXPECT_EQ(testkit::read_bytes(path), "a\r\n" + big);
        dev.stream() << "tail, no line end";
    }
    EXPECT_EQ(testkit::read_bytes(path), "a\r\n" + big + "tail, no line end");
}

TEST(ConsoleDevice, FallsBackToStandardErrorWithoutDevice) {
    testkit::TempDir dir;
    ConsoleDevice dev((dir / "missing" / "tty").string());
    EXPECT_FALSE(dev.opened());
    testing::internal::CaptureStderr();
    dev.stream() << "to stderr" << std::flush;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr");
}
