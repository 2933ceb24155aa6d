// The disk drives DSK1 to DSK9 on host folders: every PAB opcode on the
// files of a mapped drive. An open file lives in memory; CLOSE (or the end
// of the run) writes it back as a whole, so that a failing run never
// leaves half a file.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "machine/disk/disk_file.hpp"
#include "machine/disk/host_folder.hpp"
#include "machine/disk/pab.hpp"

namespace scree {

inline constexpr unsigned kDrives = 9;
// Files open at once, over all drives.
inline constexpr size_t kMaxOpenFiles = 16;

// Host folders by drive number - 1; empty: not mapped.
using DriveFolders = std::array<std::string, kDrives>;

class DiskDrives {
public:
    explicit DiskDrives(const DriveFolders& folders);
    ~DiskDrives();
    DiskDrives(const DiskDrives&) = delete;
    DiskDrives& operator=(const DiskDrives&) = delete;

    bool mapped(unsigned drive) const;
    // Does what pab asks of file (the name after "DSKn.") on drive 1 to 9;
    // the answers go into pab (not yet into VDP RAM), data into vram.
    IoError serve(unsigned drive, const std::string& file, Pab& pab, Vram& vram);
    // Closes every open file as CLOSE does; the names ("DSK1.X") of those
    // that could not be written.
    std::vector<std::string> close_all();

    struct OpenFile;
    struct Request;

private:
    using Handler = IoError (DiskDrives::*)(Request&);
    static const Handler kHandlers[];

    IoError open(Request& r);
    IoError close(Request& r);
    IoError read(Request& r);
    IoError write(Request& r);
    IoError restore(Request& r);
    IoError load(Request& r);
    IoError save(Request& r);
    IoError remove(Request& r);
    IoError scratch(Request& r);
    IoError status(Request& r);

    IoError read_file(Request& r, DiskFile& file, bool& exists, bool bare_is_program);
    bool may_replace(Request& r);
    bool store(const OpenFile& f) const;
    OpenFile* find(const Request& r);

    std::vector<HostFolder> folders_;
    std::array<bool, kDrives> mapped_{};
    std::map<std::string, std::unique_ptr<OpenFile>> open_;  // by drive and name in upper case
};

}  // namespace scree
