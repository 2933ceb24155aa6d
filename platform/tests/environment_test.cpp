#include "platform/environment.hpp"

#include <gtest/gtest.h>

TEST(Environment, SetAndGet) {
    EXPECT_TRUE(platform::set_environment("TMS_ENV_TEST", "value"));
    EXPECT_EQ(platform::get_environment("TMS_ENV_TEST"), "value");
    EXPECT_TRUE(platform::set_environment("TMS_ENV_TEST", ""));
    EXPECT_EQ(platform::get_environment("TMS_ENV_TEST"), "");
    EXPECT_FALSE(platform::set_environment("A=B", "x"));
    EXPECT_FALSE(platform::set_environment("", "x"));
    EXPECT_FALSE(platform::get_environment("TMS_ENV_TEST_UNSET").has_value());
}
