#include "platform/drives.hpp"

#include <gtest/gtest.h>

#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

TEST(Drives, ConfiguredRootsAreListed) {
    testkit::TempDir dir;
    platform::set_drive_root('Q', dir.path().string());
    bool found_c = false, found_q = false;
    for (const auto& d : platform::list_drives()) {
        if (d.letter == 'C') found_c = true;
        if (d.letter == 'Q') {
            found_q = true;
            EXPECT_TRUE(d.has_volume);
            EXPECT_EQ(d.volume_name, dir.path().filename().string());
            EXPECT_GT(d.size_bytes, 0u);
        }
    }
    platform::set_drive_root('Q', "");
    EXPECT_TRUE(found_c);
    EXPECT_TRUE(found_q);
}
