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

TEST(SingleInstance, RefusesAFolderOthersCanWriteTo) {
    // A shared folder, or a lock that is a link, would let another user hold
    // or redirect the lock.
    testkit::TempDir dir;
    platform::SingleInstance a;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    EXPECT_EQ(a.claim("Bar", dir.path().string()), Result::Failed);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    ASSERT_EQ(a.claim("Bar", dir.path().string()), Result::First);
    a.release();
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        if (e.path().extension() != ".lock") continue;
        std::filesystem::remove(e.path());
        std::filesystem::create_symlink(dir / "elsewhere", e.path());
    }
    EXPECT_EQ(a.claim("Bar", dir.path().string()), Result::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere"));
}
