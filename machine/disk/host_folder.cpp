#include "machine/disk/host_folder.hpp"

#include "machine/files/file_reader.hpp"
#include "platform/fd_io.hpp"
#include "platform/file_ops.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"

namespace scree {

bool HostFolder::valid_name(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
    for (const char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < ' ' || c == 0x7F || std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos)
            return false;
    }
    return true;
}

std::string HostFolder::path_of(std::string_view name) const {
    std::string path = folder_;
    if (!path.empty() && !platform::is_separator(path.back())) path += '/';
    return platform::resolve_path(path + std::string(name));
}

HostEntry HostFolder::look(std::string_view name) const {
    HostEntry e;
    platform::FdInfo info;
    const std::string path = path_of(name);
    if (platform::fd_stat(path, info) != 0) return e;
    e.exists = true;
    e.read_only = info.is_directory || (info.mode & 0222) == 0;
    return e;
}

IoError HostFolder::read(std::string_view name, HostEntry& e) const {
    e = look(name);
    if (!e.exists) return IoError::None;
    switch (read_file_up_to(path_of(name), kMaxHostFile, e.bytes)) {
        case ReadResult::Ok: return IoError::None;
        case ReadResult::Missing: e.exists = false; return IoError::None;
        case ReadResult::TooLarge: return IoError::NoSpace;
        case ReadResult::Folder:
        case ReadResult::Failed: break;
    }
    return IoError::DeviceError;
}

bool HostFolder::write(std::string_view name, std::string_view bytes) const {
    return platform::write_file_atomic(path_of(name), bytes);
}

bool HostFolder::remove(std::string_view name) const { return platform::delete_file(path_of(name)); }

}  // namespace scree
