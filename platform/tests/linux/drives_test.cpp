#include "platform/drives.hpp"

#include <gtest/gtest.h>

namespace {

platform::MountLookups lookups() {
    return platform::MountLookups{
        [](const std::string& device) { return device == "/dev/sda1" ? std::string("SYSTEM") : std::string(); },
        [](const std::string& device) { return device == "/dev/sdb1"; },
        [](const std::string& dir, uint64_t& size) {
            if (dir == "/gone") return false;
            size = dir == "/" ? 80026360000ull : 1000000ull;
            return true;
        }};
}

TEST(Drives, MountTableGivesOneDrivePerFileSystemOfUsersFiles) {
    const char* mounts =
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "/dev/sr0 /media/cd iso9660 ro 0 0\n"
        "server:/export /net/home nfs4 rw 0 0\n"
        "//nas/share /net/share cifs rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "/dev/sda2 /gone ext4 rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n";
    std::vector<platform::DriveInfo> drives = platform::drives_from_mounts(mounts, lookups());
    std::vector<std::string> names;
    for (const auto& d : drives) names.push_back(d.name);
    EXPECT_EQ(names, (std::vector<std::string>{"/", "/gone", "/media/cd", "/media/usb stick", "/net/home",
                                               "/net/share", "/run"}));
    auto find = [&](const std::string& name) {
        for (const auto& d : drives)
            if (d.name == name) return d;
        return platform::DriveInfo{};
    };
    platform::DriveInfo root = find("/");
    EXPECT_EQ(root.type, platform::DriveType::Fixed);
    EXPECT_EQ(root.volume_name, "SYSTEM");
    EXPECT_EQ(root.file_system, "ext4");
    EXPECT_EQ(root.size_bytes, 80026360000ull);
    EXPECT_EQ(root.media_type, 12);
    EXPECT_EQ(find("/media/usb stick").type, platform::DriveType::Removable);
    EXPECT_EQ(find("/media/usb stick").media_type, 11);
    EXPECT_EQ(find("/media/cd").type, platform::DriveType::CdRom);
    EXPECT_EQ(find("/net/home").type, platform::DriveType::Remote);
    EXPECT_EQ(find("/net/share").type, platform::DriveType::Remote);
    EXPECT_EQ(find("/net/share").media_type, 0);
    EXPECT_EQ(find("/run").type, platform::DriveType::RamDisk);
    EXPECT_FALSE(find("/gone").has_volume);  // left out of the list by the caller
}

TEST(Drives, LaterMountOnTheSamePointHidesTheEarlier) {
    auto drives = platform::drives_from_mounts("/dev/sda1 /data ext4 rw 0 0\n/dev/sdb1 /data vfat rw 0 0\n", lookups());
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].file_system, "vfat");
    EXPECT_EQ(drives[0].type, platform::DriveType::Removable);
}

TEST(Drives, ThisMachineListsItsRoot) {
    bool root = false;
    for (const auto& d : platform::list_drives()) root |= d.name == "/" && d.has_volume;
    EXPECT_TRUE(root);
}

}  // namespace
