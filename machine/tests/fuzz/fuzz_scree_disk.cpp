// Arbitrary host files on a mapped drive, used as a program uses them. The
// first byte is the PAB's flag byte, the second its record length; the rest
// is the file. Its header and records are decoded, then the drive serves
// OPEN, READs to the end, STATUS, a WRITE and CLOSE (which writes the file
// back when the mode allows), and LOAD.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "machine/disk/disk_drives.hpp"
#include "machine/disk/tifiles.hpp"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kMaxReads = 4096;

// The drive's folder, made once and removed at exit.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("fuzz_scree_disk_" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& folder() {
    static const Folder dir;
    return dir.path;
}

scree::IoError serve(scree::DiskDrives& drives, scree::PabOpcode op, scree::Pab& pab, scree::Vram& vram) {
    pab.opcode = static_cast<uint8_t>(op);
    return drives.serve(1, "F", pab, vram);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::string file(reinterpret_cast<const char*>(data + 2), size - 2);
    if (const auto header = scree::read_disk_header(file)) {
        scree::DiskFile decoded;
        (void)scree::decode_with_header(*header, std::string_view(file).substr(scree::kDiskHeaderSize), decoded);
    }
    (void)scree::text_records(file, data[1]);

    std::ofstream(folder() / "F", std::ios::binary | std::ios::trunc).write(file.data(), std::streamsize(file.size()));
    scree::DriveFolders folders;
    folders[0] = folder().string();
    scree::DiskDrives drives(folders);
    auto vram = std::make_unique<scree::Vram>();
    scree::Pab pab;
    pab.flags = data[0];
    pab.record_length = data[1];
    pab.buffer = 0x3F00;
    if (serve(drives, scree::PabOpcode::Open, pab, *vram) == scree::IoError::None) {
        for (unsigned i = 0; i < kMaxReads && serve(drives, scree::PabOpcode::Read, pab, *vram) == scree::IoError::None;
             ++i) {
        }
        (void)serve(drives, scree::PabOpcode::Status, pab, *vram);
        pab.char_count = data[1];
        pab.record = data[1];
        (void)serve(drives, scree::PabOpcode::Write, pab, *vram);
        (void)serve(drives, scree::PabOpcode::Close, pab, *vram);
    }
    pab.record = 0x4000;
    (void)serve(drives, scree::PabOpcode::Load, pab, *vram);
    return 0;
}
