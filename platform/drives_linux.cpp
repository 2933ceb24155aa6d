#include "drives.hpp"

#include <sys/stat.h>
#include <sys/statfs.h>

#include "paths.hpp"

namespace platform {
namespace {

std::string file_system_name(long type) {
    switch (static_cast<unsigned long>(type)) {
        case 0xEF53: return "ext4";
        case 0x01021994: return "tmpfs";
        case 0x58465342: return "xfs";
        case 0x9123683E: return "btrfs";
        case 0x794C7630: return "overlay";
        case 0x6969: return "nfs";
        case 0xFF534D42: return "cifs";
        case 0x4D44: return "vfat";
        case 0x5346544E: return "ntfs";
        case 0x65735546: return "fuse";
        case 0x9660: return "iso9660";
        default: return "unknown";
    }
}

DriveType type_of(long fs_type) {
    switch (static_cast<unsigned long>(fs_type)) {
        case 0x01021994: return DriveType::RamDisk;
        case 0x6969:
        case 0xFF534D42: return DriveType::Remote;
        case 0x9660: return DriveType::CdRom;
        default: return DriveType::Fixed;
    }
}

}  // namespace

std::vector<DriveInfo> list_drives() {
    std::vector<DriveInfo> out;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string drive = std::string(1, letter) + ":\\";
        std::string root = to_host_path(drive);
        if (root == "/" && letter != 'C') continue;
        DriveInfo info;
        info.letter = letter;
        struct stat st;
        struct statfs fs;
        if (stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || statfs(root.c_str(), &fs) != 0) {
            info.type = DriveType::NoRoot;
            out.push_back(info);
            continue;
        }
        info.type = type_of(fs.f_type);
        info.has_volume = true;
        std::string r = root;
        while (r.size() > 1 && r.back() == '/') r.pop_back();
        size_t slash = r.rfind('/');
        info.volume_name = slash == std::string::npos ? r : r.substr(slash + 1);
        info.file_system = file_system_name(fs.f_type);
        info.has_geometry = true;
        info.size_bytes = static_cast<uint64_t>(fs.f_blocks) * static_cast<uint64_t>(fs.f_frsize);
        info.media_type = info.type == DriveType::Fixed ? 12 : 11;
        out.push_back(info);
    }
    return out;
}

}  // namespace platform
