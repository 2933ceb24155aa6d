#include "drives.hpp"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <map>

#include "files.hpp"

namespace platform {
namespace {

// File systems that hold no user files.
constexpr std::string_view kPseudo[] = {
    "proc",   "sysfs",    "devpts",     "cgroup",  "cgroup2",     "securityfs", "debugfs", "tracefs",
    "pstore", "bpf",      "mqueue",     "hugetlbfs", "configfs",  "fusectl",    "binfmt_misc", "autofs",
    "rpc_pipefs", "nsfs", "efivarfs",   "devtmpfs", "selinuxfs",  "squashfs"};
constexpr std::string_view kRemote[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph",
                                        "glusterfs", "davfs", "fuse.sshfs", "fuse.rclone", "lustre"};
constexpr std::string_view kRam[] = {"tmpfs", "ramfs"};
constexpr std::string_view kOptical[] = {"iso9660", "udf"};

template <size_t N>
bool one_of(std::string_view v, const std::string_view (&list)[N]) {
    return std::find(std::begin(list), std::end(list), v) != std::end(list);
}

bool octal(char c) { return c >= '0' && c <= '7'; }

// The mount table writes blanks and backslashes in names as octal escapes.
std::string unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && octal(s[i + 1]) && octal(s[i + 2]) && octal(s[i + 3])) {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

DriveType type_of(const std::string& device, std::string_view fs, bool removable) {
    if (one_of(fs, kRam)) return DriveType::RamDisk;
    if (one_of(fs, kRemote) || device.find(":/") != std::string::npos || device.rfind("//", 0) == 0)
        return DriveType::Remote;
    if (one_of(fs, kOptical) || device.rfind("/dev/sr", 0) == 0) return DriveType::CdRom;
    if (removable) return DriveType::Removable;
    if (device.rfind("/dev/", 0) == 0 || fs == "overlay" || fs == "zfs" || fs == "btrfs") return DriveType::Fixed;
    return DriveType::Unknown;
}

// The block device of a partition or disk, as named under /sys/block.
std::string block_name(const std::string& device) {
    char real[PATH_MAX];
    std::string path = realpath(device.c_str(), real) ? real : device;
    std::string name = path.substr(path.rfind('/') + 1);
    if (access(("/sys/block/" + name).c_str(), F_OK) == 0) return name;
    // A partition: its disk is the folder that holds it.
    DIR* d = opendir("/sys/block");
    std::string disk;
    if (d) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != ".." && access(("/sys/block/" + n + "/" + name).c_str(), F_OK) == 0) disk = n;
        }
        closedir(d);
    }
    return disk;
}

bool removable_device(const std::string& device) {
    if (device.rfind("/dev/", 0) != 0) return false;
    std::string disk = block_name(device);
    std::string flag;
    return !disk.empty() && read_file("/sys/block/" + disk + "/removable", flag) && !flag.empty() && flag[0] == '1';
}

std::string label_of(const std::string& device) {
    if (device.rfind("/dev/", 0) != 0) return {};
    char wanted[PATH_MAX], found[PATH_MAX];
    if (!realpath(device.c_str(), wanted)) return {};
    std::string label;
    DIR* d = opendir("/dev/disk/by-label");
    if (!d) return {};
    while (dirent* e = readdir(d)) {
        std::string link = std::string("/dev/disk/by-label/") + e->d_name;
        if (e->d_name[0] != '.' && realpath(link.c_str(), found) && std::string(found) == wanted)
            label = unescape(e->d_name);
    }
    closedir(d);
    // by-label writes other characters as \xHH.
    std::string out;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '\\' && i + 3 < label.size() && label[i + 1] == 'x') {
            out += static_cast<char>(std::strtol(label.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            out += label[i];
        }
    }
    return out;
}

bool folder_size(const std::string& dir, uint64_t& size) {
    struct statvfs fs;
    if (statvfs(dir.c_str(), &fs) != 0 || !is_directory(dir)) return false;
    size = static_cast<uint64_t>(fs.f_blocks) * static_cast<uint64_t>(fs.f_frsize);
    return true;
}

}  // namespace

std::vector<DriveInfo> drives_from_mounts(std::string_view mounts, const MountLookups& lookups) {
    std::map<std::string, DriveInfo> by_point;  // a later mount on the same point hides the earlier
    size_t pos = 0;
    while (pos < mounts.size()) {
        size_t end = mounts.find('\n', pos);
        if (end == std::string_view::npos) end = mounts.size();
        std::vector<std::string_view> f = fields(mounts.substr(pos, end - pos));
        pos = end + 1;
        if (f.size() < 3 || one_of(f[2], kPseudo)) continue;
        std::string device = unescape(f[0]), point = unescape(f[1]);
        DriveInfo info;
        info.name = point;
        info.file_system = std::string(f[2]);
        bool removable = lookups.removable && lookups.removable(device);
        info.type = type_of(device, f[2], removable);
        uint64_t size = 0;
        if (lookups.size && lookups.size(point, size)) {
            info.has_volume = true;
            info.volume_name = lookups.label ? lookups.label(device) : std::string();
            info.has_geometry = true;
            info.size_bytes = size;
            bool fixed = info.type == DriveType::Fixed, loose = removable || info.type == DriveType::CdRom;
            info.media_type = fixed ? 12 : loose ? 11 : 0;
        }
        by_point[point] = info;
    }
    std::vector<DriveInfo> out;
    for (auto& [point, info] : by_point) out.push_back(std::move(info));
    return out;
}

std::vector<DriveInfo> list_drives() {
    std::string mounts;
    if (!read_file("/proc/self/mounts", mounts)) return {};
    return drives_from_mounts(mounts, MountLookups{label_of, removable_device, folder_size});
}

}  // namespace platform
