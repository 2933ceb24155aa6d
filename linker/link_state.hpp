// The one state record of a link run, with the memory image and the lists of
// files read and written.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "file_access.hpp"
#include "platform/console.hpp"
#include "platform/text_file.hpp"
#include "ref_def_table.hpp"

namespace fell {

inline constexpr const char* kBanner = "*Fell v1.6.3\n";
inline constexpr size_t kMaxMessage = 254;      // longest message and command line
inline constexpr size_t kMaxRecordName = 39;    // name field of the file records
inline constexpr size_t kMaxFileRecords = 10;

// 64 KB of target memory; words are big-endian, addresses wrap at 65536.
struct MemoryImage {
    std::array<uint8_t, 65536> bytes{};

    uint16_t word(uint16_t a) const {
        return static_cast<uint16_t>(bytes[a] << 8 | bytes[static_cast<uint16_t>(a + 1)]);
    }
    void set_word(uint16_t a, uint16_t v) {
        bytes[a] = static_cast<uint8_t>(v >> 8);
        bytes[static_cast<uint16_t>(a + 1)] = static_cast<uint8_t>(v);
    }
};

struct LoadedFileRecord {
    std::string name;  // name part, at most 39 characters
    uint16_t load_address = 0;
    uint16_t size = 0;
};

struct CreatedFileRecord {
    std::string name;  // at most 39 characters
    uint16_t start = 0;
    uint16_t size = 0;
    uint16_t hi_start = 0;
    uint16_t hi_size = 0;
};

struct LinkState {
    LinkState(platform::Console& console, FileSystem& file_system) : con(console), files(file_system) {}

    platform::Console& con;
    FileSystem& files;

    MemoryImage image;
    uint16_t origin = 0xA000;
    uint16_t location_counter = 0;
    bool absolute_mode = false;
    uint16_t saved_location = 0;
    bool program_header = true;
    bool geneve_header = false;
    bool v9t9_on_save = false;
    bool v9t9_on_load = false;
    bool names_only = false;
    bool ignore_short_read = false;
    bool verbose = false;
    bool cartridge_inverted = true;
    int32_t error_count = 0;
    int line_number = 0;  // records read from the last object file

    platform::OutFile error_file;
    platform::OutFile map_file;
    std::string linker_directory;

    RefDefTable refdefs;
    std::vector<LoadedFileRecord> loaded_files;
    std::vector<CreatedFileRecord> created_files;

    bool fatal = false;  // the run ends at once (REF/DEF table overflow)
};

}  // namespace fell
