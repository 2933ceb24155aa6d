// The 128-byte headers that carry a TI disk file's description on other
// systems: TIFILES (the transfer programs' header) and V9T9 (a copy of the
// disk's file descriptor record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scree {

inline constexpr size_t kDiskHeaderSize = 128;
inline constexpr std::string_view kTifilesMagic = "\x07TIFILES";

// The flag byte of both headers.
inline constexpr uint8_t kFileProgram = 0x01;
inline constexpr uint8_t kFileInternal = 0x02;
inline constexpr uint8_t kFileProtected = 0x08;
inline constexpr uint8_t kFileVariable = 0x80;

struct DiskHeader {
    enum class Kind : uint8_t { Tifiles, V9t9 };
    Kind kind = Kind::Tifiles;
    uint8_t flags = 0;          // kFile... bits
    uint8_t record_length = 0;
    uint16_t sectors = 0;
    uint8_t eof_offset = 0;     // bytes used in the last sector, 0 for all 256
    uint8_t records_per_sector = 0;
    uint16_t level3_records = 0;  // fixed records: their number; variable: sectors
    // Bytes of the file after the header: whole sectors less the unused end
    // of the last one.
    uint32_t content_size() const;
    bool is_program() const { return (flags & (kFileProgram | kFileVariable)) == kFileProgram; }
};

// The header at the start of file, when it has one.
std::optional<DiskHeader> read_disk_header(std::string_view file);

// "TIFILES" or "V9T9".
std::string_view kind_name(DiskHeader::Kind kind);

// The type as the disk manager shows it: "PROGRAM", "DIS/FIX 80" ...
std::string type_name(const DiskHeader& header);

}  // namespace scree
