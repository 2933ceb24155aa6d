#include "machine/disk/tifiles.hpp"

#include <algorithm>
#include <cctype>

namespace scree {

namespace {

constexpr uint8_t kEndOfSector = 0xFF;  // after a sector's last variable record
constexpr uint8_t kDefaultRecordLength = 80;

unsigned fixed_per_sector(uint8_t record_length) { return kSectorSize / std::max<unsigned>(record_length, 1); }

struct Body {
    std::string bytes;
    uint32_t sectors = 0;
    uint8_t eof_offset = 0;
    uint8_t per_sector = 0;
    uint16_t level3 = 0;
};

Body fixed_body(const DiskFile& f) {
    Body b;
    const unsigned per = fixed_per_sector(f.type.record_length);
    b.sectors = static_cast<uint32_t>((f.records.size() + per - 1) / per);
    b.bytes.assign(size_t{b.sectors} * kSectorSize, '\0');
    for (size_t i = 0; i < f.records.size(); ++i) {
        const size_t at = i / per * kSectorSize + i % per * f.type.record_length;
        b.bytes.replace(at, std::min<size_t>(f.records[i].size(), f.type.record_length), f.records[i]);
    }
    b.per_sector = static_cast<uint8_t>(std::min(per, 255u));
    b.level3 = static_cast<uint16_t>(f.records.size());
    return b;
}

Body variable_body(const DiskFile& f) {
    Body b;
    VariablePacking packing;
    const auto mark_end = [&b](const VariablePacking& p) {
        if (p.sectors) b.bytes[size_t{p.sectors - 1} * kSectorSize + p.used] = static_cast<char>(kEndOfSector);
    };
    for (const std::string& r : f.records) {
        const VariablePacking before = packing;
        const unsigned at = packing.add(r.size());
        if (packing.sectors != before.sectors) {
            mark_end(before);
            b.bytes.resize(size_t{packing.sectors} * kSectorSize, '\0');
        }
        const size_t base = size_t{packing.sectors - 1} * kSectorSize + at;
        b.bytes[base] = static_cast<char>(r.size());
        b.bytes.replace(base + 1, r.size(), r);
    }
    mark_end(packing);
    b.sectors = packing.sectors;
    b.eof_offset = static_cast<uint8_t>(packing.used);
    b.per_sector = static_cast<uint8_t>(kSectorSize / (f.type.record_length + 1u));
    b.level3 = static_cast<uint16_t>(packing.sectors);
    return b;
}

Body program_body(const DiskFile& f) {
    Body b;
    b.sectors = static_cast<uint32_t>((f.program.size() + kSectorSize - 1) / kSectorSize);
    b.bytes = f.program;
    b.bytes.resize(size_t{b.sectors} * kSectorSize, '\0');
    b.eof_offset = static_cast<uint8_t>(f.program.size() % kSectorSize);
    return b;
}

uint8_t flags_of(const FileType& t) {
    uint8_t flags = t.program ? kFileProgram : 0;
    if (!t.program && t.internal) flags |= kFileInternal;
    if (!t.program && t.variable) flags |= kFileVariable;
    if (t.protect) flags |= kFileProtected;
    return flags;
}

bool decode_fixed(const DiskHeader& h, std::string_view sectors, DiskFile& f) {
    const unsigned per = fixed_per_sector(h.record_length);
    if (h.level3_records > uint32_t{per} * h.sectors) return false;
    for (size_t i = 0; i < h.level3_records; ++i)
        f.records.emplace_back(sectors.substr(i / per * kSectorSize + i % per * h.record_length, h.record_length));
    return true;
}

// Each sector's records up to the end mark; the last sector's also end at
// the end-of-file offset.
bool decode_variable(const DiskHeader& h, std::string_view sectors, DiskFile& f) {
    for (uint32_t s = 0; s < h.sectors; ++s) {
        const std::string_view sector = sectors.substr(size_t{s} * kSectorSize, kSectorSize);
        const size_t end = s + 1 == h.sectors && h.eof_offset != 0 ? h.eof_offset : kSectorSize;
        for (size_t at = 0; at < end;) {
            const uint8_t length = static_cast<uint8_t>(sector[at]);
            if (length == kEndOfSector) break;
            if (at + 1 + length > kSectorSize) return false;
            f.records.emplace_back(sector.substr(at + 1, length));
            at += 1 + length;
        }
    }
    return true;
}

}  // namespace

unsigned VariablePacking::add(size_t length) {
    const unsigned need = static_cast<unsigned>(1 + length);
    if (sectors == 0 || used + need > kSectorSize - 1) {
        ++sectors;
        used = 0;
    }
    const unsigned at = used;
    used += need;
    return at;
}

uint32_t sectors_for(const FileType& type, const std::vector<std::string>& records) {
    if (!type.variable) {
        const unsigned per = fixed_per_sector(type.record_length);
        return static_cast<uint32_t>((records.size() + per - 1) / per);
    }
    VariablePacking packing;
    for (const std::string& r : records) packing.add(r.size());
    return packing.sectors;
}

std::string encode_tifiles(const DiskFile& file) {
    DiskFile f = file;
    if (!f.type.program && f.type.record_length == 0) f.type.record_length = kDefaultRecordLength;
    const Body b = f.type.program ? program_body(f) : f.type.variable ? variable_body(f) : fixed_body(f);
    std::string header(kDiskHeaderSize, '\0');
    header.replace(0, kTifilesMagic.size(), kTifilesMagic);
    header[8] = static_cast<char>(b.sectors >> 8);
    header[9] = static_cast<char>(b.sectors);
    header[10] = static_cast<char>(flags_of(f.type));
    header[11] = static_cast<char>(b.per_sector);
    header[12] = static_cast<char>(b.eof_offset);
    header[13] = static_cast<char>(f.type.program ? 0 : f.type.record_length);
    header[14] = static_cast<char>(b.level3);
    header[15] = static_cast<char>(b.level3 >> 8);
    return header + b.bytes;
}

bool decode_with_header(const DiskHeader& h, std::string_view content, DiskFile& f) {
    f = DiskFile{};
    if (content.size() < h.content_size()) return false;
    f.type.protect = h.flags & kFileProtected;
    if (h.flags & kFileProgram) {
        f.type.program = true;
        f.program = std::string(content.substr(0, h.content_size()));
        return true;
    }
    f.type.internal = h.flags & kFileInternal;
    f.type.variable = h.flags & kFileVariable;
    f.type.record_length = h.record_length;
    if (h.record_length == 0) return false;
    std::string sectors(content.substr(0, size_t{h.sectors} * kSectorSize));
    sectors.resize(size_t{h.sectors} * kSectorSize, '\0');
    return f.type.variable ? decode_variable(h, sectors, f) : decode_fixed(h, sectors, f);
}

std::vector<std::string> text_records(std::string_view text, uint8_t record_length) {
    const size_t cut = record_length ? record_length : kDefaultRecordLength;
    std::vector<std::string> records;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        do {
            records.emplace_back(line.substr(0, cut));
            line.remove_prefix(std::min(cut, line.size()));
        } while (!line.empty());
    }
    return records;
}

bool written_as_text(std::string_view name, const DiskFile& file) {
    const FileType& t = file.type;
    if (t.program || t.internal || !t.variable || name.size() < 4) return false;
    std::string ending(name.substr(name.size() - 4));
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ending != ".TXT" && ending != ".LOG") return false;
    return std::none_of(file.records.begin(), file.records.end(),
                        [](const std::string& r) { return r.find_first_of("\r\n") != std::string::npos; });
}

std::string encode_text(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records) text += r + "\r\n";
    return text;
}

}  // namespace scree
