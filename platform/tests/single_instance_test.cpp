#include "platform/single_instance.hpp"

#include <gtest/gtest.h>

#include "testkit/testkit.hpp"

using Result = platform::SingleInstance::Result;

TEST(SingleInstance, SecondClaimAsksTheFirst) {
    testkit::TempDir dir;
    platform::SingleInstance a, b, c;
    ASSERT_EQ(a.claim("Bar", dir.path().string()), Result::First);
    EXPECT_FALSE(a.activation_requested());
    EXPECT_EQ(b.claim("Bar", dir.path().string()), Result::Other);
    EXPECT_TRUE(a.activation_requested());
    EXPECT_FALSE(a.activation_requested());
    EXPECT_EQ(c.claim("Other bar", dir.path().string()), Result::First);
    a.release();
    EXPECT_EQ(b.claim("Bar", dir.path().string()), Result::First);
}
