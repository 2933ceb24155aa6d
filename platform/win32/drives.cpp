#include "drives.hpp"

#include "support.hpp"

#include <winioctl.h>

namespace platform {
namespace {

// Size and media type from the disk-geometry query of the drive's device.
void read_geometry(char letter, DriveInfo& info) {
    std::string device = std::string("\\\\.\\") + letter + ":";
    HANDLE h = CreateFileA(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DISK_GEOMETRY g;
    DWORD n = 0;
    if (DeviceIoControl(h, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &g, sizeof g, &n, nullptr)) {
        info.has_geometry = true;
        info.media_type = static_cast<int>(g.MediaType);
        info.size_bytes = static_cast<uint64_t>(g.Cylinders.QuadPart) * g.TracksPerCylinder * g.SectorsPerTrack *
                          g.BytesPerSector;
    }
    CloseHandle(h);
}

}  // namespace

std::vector<DriveInfo> list_drives() {
    // A drive without a medium fails quietly instead of asking the user;
    // the mode stays for the rest of the run.
    SetErrorMode(SetErrorMode(SEM_FAILCRITICALERRORS) | SEM_FAILCRITICALERRORS);
    std::vector<DriveInfo> out;
    DWORD present = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(present & (1u << (letter - 'A')))) continue;
        std::string root = std::string(1, letter) + ":\\";
        DriveInfo info;
        info.name = std::string(1, letter);
        info.type = static_cast<DriveType>(GetDriveTypeA(root.c_str()));
        char volume[MAX_PATH + 1] = "", file_system[MAX_PATH + 1] = "";
        if (GetVolumeInformationA(root.c_str(), volume, sizeof volume, nullptr, nullptr, nullptr, file_system,
                                  sizeof file_system)) {
            info.has_volume = true;
            info.volume_name = volume;
            info.file_system = file_system;
        }
        read_geometry(letter, info);
        ULARGE_INTEGER total;
        if (!info.has_geometry && GetDiskFreeSpaceExA(root.c_str(), nullptr, &total, nullptr)) {
            info.has_geometry = true;
            info.size_bytes = total.QuadPart;
            info.media_type = info.type == DriveType::Fixed ? 12 : 11;
        }
        out.push_back(info);
    }
    return out;
}

}  // namespace platform
