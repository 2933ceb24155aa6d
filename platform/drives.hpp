// The drives and their volumes: on Windows the drive letters, on Linux the
// mounted file systems (pseudo file systems such as proc and sysfs left out).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class DriveType { Unknown = 0, NoRoot = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

struct DriveInfo {
    std::string name;            // the drive letter, or the mount point
    DriveType type = DriveType::Fixed;
    bool has_volume = false;     // volume information could be read
    std::string volume_name;
    std::string file_system;
    bool has_geometry = false;   // size and media type known
    uint64_t size_bytes = 0;
    int media_type = 12;         // the disk-geometry media codes; 12 is a fixed disk
};

// The present drives: A to Z, or the mount points in order.
std::vector<DriveInfo> list_drives();

// Linux: the drives of a mount table (the text of /proc/self/mounts), with
// what the system is asked about each one.
struct MountLookups {
    std::function<std::string(const std::string& device)> label;  // volume label, or empty
    std::function<bool(const std::string& device)> removable;     // a removable block device
    std::function<bool(const std::string& dir, uint64_t& size)> size;  // false: not a readable folder
};
std::vector<DriveInfo> drives_from_mounts(std::string_view mounts, const MountLookups& lookups);

}  // namespace platform
