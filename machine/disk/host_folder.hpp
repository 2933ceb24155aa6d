// A disk drive mapped onto a host folder: a file name as a program gives
// it (after "DSKn.") is the host file of that name in the folder, found
// ignoring case. Reads, writes and deletions go through the platform layer.
#pragma once

#include <string>
#include <string_view>

#include "machine/disk/disk_file.hpp"
#include "machine/disk/pab.hpp"

namespace scree {

struct HostEntry {
    bool exists = false;
    bool read_only = false;  // the host file may not be written
    std::string bytes;
};

class HostFolder {
public:
    explicit HostFolder(std::string folder) : folder_(std::move(folder)) {}

    // A name that is one file of the folder: not empty, no path separator,
    // drive colon, wildcard or control character, not "." or "..", not
    // ending in a dot or blank (which Windows would drop).
    static bool valid_name(std::string_view name);

    // The host path of name: an existing entry matched ignoring case, else
    // the name as written.
    std::string path_of(std::string_view name) const;

    // The file's bytes (up to the largest TIFILES file and its header).
    IoError read(std::string_view name, HostEntry& entry) const;
    // Whether the file exists and whether the host lets it be written,
    // without reading it.
    HostEntry look(std::string_view name) const;
    // Replaces the file as a whole: the old one stays if writing fails.
    bool write(std::string_view name, std::string_view bytes) const;
    bool remove(std::string_view name) const;

private:
    std::string folder_;
};

// The bytes a TIFILES file can have at most.
inline constexpr size_t kMaxHostFile = 128 + size_t{kMaxSectors} * kSectorSize;

}  // namespace scree
