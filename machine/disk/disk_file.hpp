// A TI disk file as the host keeps it while a program uses it: its type
// and its records, or the bytes of a program file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scree {

struct FileType {
    bool program = false;
    bool internal = false;
    bool variable = false;
    bool protect = false;
    uint8_t record_length = 0;  // data files; 0 for a program file

    bool same_kind(const FileType& o) const {
        return program == o.program && internal == o.internal && variable == o.variable;
    }
};

struct DiskFile {
    FileType type;
    std::vector<std::string> records;  // data files: fixed ones all record_length bytes
    std::string program;               // program files: the memory image
};

// The largest file the TIFILES header can describe.
inline constexpr uint32_t kMaxSectors = 0xFFFF;
inline constexpr uint32_t kSectorSize = 256;
// The longest variable record: a length byte of >FF marks a sector's end.
inline constexpr uint8_t kMaxVariableRecord = 254;

}  // namespace scree
