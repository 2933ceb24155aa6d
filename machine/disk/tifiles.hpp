// TI files on the host: the TIFILES format (a 128-byte header, then the
// file's sectors as a disk holds them), and plain text as DIS/VAR records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/disk/disk_file.hpp"
#include "machine/files/disk_header.hpp"

namespace scree {

// The header and sectors of a file; TIFILES fields:
//   0-7   >07 'TIFILES'        8-9   sectors (high byte first)
//   10    flags: >01 program, >02 internal, >08 protected, >80 variable
//   11    records per sector   12    end-of-file offset in the last sector
//   13    record length        14-15 level-3 records (low byte first):
//                                    fixed files their number, variable
//                                    files their sectors
//   16-127 zero.
std::string encode_tifiles(const DiskFile& file);

// Variable records fill a sector while a byte stays free for its end mark.
struct VariablePacking {
    uint32_t sectors = 0;
    unsigned used = 0;  // bytes of the last sector
    // Adds a record; returns the offset of its length byte in the last sector.
    unsigned add(size_t length);
};

// Sectors the records take (fixed or variable as type says).
uint32_t sectors_for(const FileType& type, const std::vector<std::string>& records);

// The records or program bytes after a TIFILES or V9T9 header. False when
// the sectors do not hold what the header says.
bool decode_with_header(const DiskHeader& header, std::string_view content, DiskFile& file);

// A plain text file as DIS/VAR records of record_length: one a line (LF or
// CR LF ends it), a longer line cut into records of that length.
std::vector<std::string> text_records(std::string_view text, uint8_t record_length);

// The host file rule: a DIS/VAR file whose name ends in .TXT or .LOG (in
// any case) is written as text lines ending in CR LF, unless a record holds
// a CR or LF, which text lines could not give back; every other file is
// written in TIFILES format.
bool written_as_text(std::string_view name, const DiskFile& file);
std::string encode_text(const std::vector<std::string>& records);

}  // namespace scree
