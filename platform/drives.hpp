// Drive letters and their volumes. Drive X: stands for the folder given by
// set_drive_root or TMS_DRIVE_X; C: is always present (the root folder when
// nothing else is set).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class DriveType { Unknown = 0, NoRoot = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

struct DriveInfo {
    char letter = 'C';
    DriveType type = DriveType::Fixed;
    bool has_volume = false;     // volume information could be read
    std::string volume_name;
    std::string file_system;
    bool has_geometry = false;   // size and media type known
    uint64_t size_bytes = 0;
    int media_type = 12;         // the disk-geometry media codes; 12 is a fixed disk
};

// The present drives, A to Z.
std::vector<DriveInfo> list_drives();

}  // namespace platform
