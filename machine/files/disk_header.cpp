#include "machine/files/disk_header.hpp"

namespace scree {

namespace {

constexpr uint8_t kKnownFlags = kFileProgram | kFileInternal | kFileProtected | kFileVariable;

uint8_t at(std::string_view file, size_t i) { return static_cast<uint8_t>(file[i]); }

uint16_t word_at(std::string_view file, size_t i) { return static_cast<uint16_t>(at(file, i) << 8 | at(file, i + 1)); }

// The level-3 record count: low byte first.
uint16_t swapped_word_at(std::string_view file, size_t i) {
    return static_cast<uint16_t>(at(file, i + 1) << 8 | at(file, i));
}

// A disk file name: up to 10 characters other than blank and '.', padded
// with blanks.
bool is_disk_name(std::string_view name) {
    size_t length = name.find(' ');
    if (length == std::string_view::npos) length = name.size();
    if (length == 0) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (i >= length ? c != ' ' : (c <= ' ' || c > '~' || c == '.')) return false;
    }
    return true;
}

// A file descriptor record: name, no extended record length, known flags.
bool is_v9t9(std::string_view file) {
    return is_disk_name(file.substr(0, 10)) && at(file, 10) == 0 && at(file, 11) == 0 &&
           (at(file, 12) & ~kKnownFlags) == 0;
}

}  // namespace

uint32_t DiskHeader::content_size() const {
    const uint32_t whole = static_cast<uint32_t>(sectors) * 256;
    return eof_offset == 0 || sectors == 0 ? whole : whole - (256 - eof_offset);
}

std::optional<DiskHeader> read_disk_header(std::string_view file) {
    if (file.size() < kDiskHeaderSize) return std::nullopt;
    DiskHeader h;
    if (file.substr(0, kTifilesMagic.size()) == kTifilesMagic) {
        h.kind = DiskHeader::Kind::Tifiles;
        h.sectors = word_at(file, 8);
        h.flags = at(file, 10);
        h.records_per_sector = at(file, 11);
        h.eof_offset = at(file, 12);
        h.record_length = at(file, 13);
        h.level3_records = swapped_word_at(file, 14);
        return h;
    }
    if (!is_v9t9(file)) return std::nullopt;
    h.kind = DiskHeader::Kind::V9t9;
    h.flags = at(file, 12);
    h.records_per_sector = at(file, 13);
    h.sectors = word_at(file, 14);
    h.eof_offset = at(file, 16);
    h.record_length = at(file, 17);
    h.level3_records = swapped_word_at(file, 18);
    return h;
}

std::string_view kind_name(DiskHeader::Kind kind) { return kind == DiskHeader::Kind::Tifiles ? "TIFILES" : "V9T9"; }

std::string type_name(const DiskHeader& header) {
    if (header.flags & kFileProgram) return "PROGRAM";
    std::string name = header.flags & kFileInternal ? "INT/" : "DIS/";
    name += header.flags & kFileVariable ? "VAR " : "FIX ";
    return name + std::to_string(header.record_length);
}

}  // namespace scree
