#include "machine/disk/disk_drives.hpp"

#include <algorithm>
#include <cctype>

#include "machine/disk/tifiles.hpp"

namespace scree {

namespace {

constexpr uint8_t kDefaultRecordLength = 80;

std::string open_key(unsigned drive, std::string_view name) {
    std::string key = std::to_string(drive) + ':';
    for (const char c : name) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

}  // namespace

struct DiskDrives::OpenFile {
    unsigned drive = 0;
    std::string name;  // as the program gave it
    DiskFile file;
    OpenMode mode = OpenMode::Update;
    bool relative = false;
    size_t next = 0;       // the record a sequential READ or WRITE takes
    bool changed = false;  // written back at CLOSE
    VariablePacking packing;  // variable records, as they are
};

struct DiskDrives::Request {
    unsigned drive;
    const HostFolder& folder;
    const std::string& name;
    std::string key;
    Pab& pab;
    Vram& vram;
};

const DiskDrives::Handler DiskDrives::kHandlers[] = {
    &DiskDrives::open, &DiskDrives::close, &DiskDrives::read,   &DiskDrives::write,   &DiskDrives::restore,
    &DiskDrives::load, &DiskDrives::save,  &DiskDrives::remove, &DiskDrives::scratch, &DiskDrives::status,
};

DiskDrives::DiskDrives(const DriveFolders& folders) {
    for (unsigned i = 0; i < kDrives; ++i) {
        folders_.emplace_back(folders[i]);
        mapped_[i] = !folders[i].empty();
    }
}

DiskDrives::~DiskDrives() = default;

bool DiskDrives::mapped(unsigned drive) const { return drive >= 1 && drive <= kDrives && mapped_[drive - 1]; }

IoError DiskDrives::serve(unsigned drive, const std::string& file, Pab& pab, Vram& vram) {
    if (!mapped(drive)) return IoError::DeviceError;
    if (pab.opcode >= std::size(kHandlers)) return IoError::IllegalOperation;
    if (!HostFolder::valid_name(file)) return IoError::FileError;
    Request r{drive, folders_[drive - 1], file, open_key(drive, file), pab, vram};
    return (this->*kHandlers[pab.opcode])(r);
}

std::vector<std::string> DiskDrives::close_all() {
    std::vector<std::string> failed;
    for (const auto& [key, f] : open_)
        if (f->changed && !store(*f)) failed.push_back("DSK" + std::to_string(f->drive) + '.' + f->name);
    open_.clear();
    return failed;
}

DiskDrives::OpenFile* DiskDrives::find(const Request& r) {
    const auto it = open_.find(r.key);
    return it == open_.end() ? nullptr : it->second.get();
}

// The file as the host has it: with a header its records or program bytes,
// without one a text file (or, for LOAD, a memory image).
IoError DiskDrives::read_file(Request& r, DiskFile& file, bool& exists, bool bare_is_program) {
    HostEntry e;
    if (const IoError error = r.folder.read(r.name, e); error != IoError::None) return error;
    exists = e.exists;
    if (!exists) return IoError::None;
    file = DiskFile{};
    if (const auto header = read_disk_header(e.bytes)) {
        if (!decode_with_header(*header, std::string_view(e.bytes).substr(kDiskHeaderSize), file))
            return IoError::DeviceError;
    } else if (bare_is_program) {
        file.type.program = true;
        file.program = std::move(e.bytes);
    } else {
        file.type.variable = true;
        file.type.record_length = r.pab.record_length ? r.pab.record_length : kDefaultRecordLength;
        file.records = text_records(e.bytes, file.type.record_length);
    }
    file.type.protect |= e.read_only;
    return IoError::None;
}

bool DiskDrives::store(const OpenFile& f) const {
    const std::string bytes = written_as_text(f.name, f.file) ? encode_text(f.file.records) : encode_tifiles(f.file);
    return folders_[f.drive - 1].write(f.name, bytes);
}

// Whether a file that exists may be replaced: not read-only on the host, no
// protection in its header.
bool DiskDrives::may_replace(Request& r) {
    DiskFile file;
    bool exists = false;
    const IoError error = read_file(r, file, exists, true);
    const HostEntry e = r.folder.look(r.name);
    return !e.read_only && !(error == IoError::None && exists && file.type.protect);
}

IoError DiskDrives::open(Request& r) {
    Pab& pab = r.pab;
    FileType type;
    type.internal = pab.internal();
    type.variable = pab.variable();
    type.record_length = pab.record_length ? pab.record_length : kDefaultRecordLength;
    const OpenMode mode = pab.mode();
    if (pab.relative() && type.variable) return IoError::BadAttribute;       // relative files are fixed
    if (mode == OpenMode::Append && !type.variable) return IoError::BadAttribute;  // appending: variable ones
    if (type.variable && type.record_length > kMaxVariableRecord) return IoError::BadAttribute;
    if (const auto it = open_.find(r.key); it != open_.end()) {
        const bool stored = !it->second->changed || store(*it->second);
        open_.erase(it);
        if (!stored) return IoError::DeviceError;
    }
    if (open_.size() >= kMaxOpenFiles) return IoError::NoSpace;

    auto f = std::make_unique<OpenFile>();
    f->file.type = type;
    if (mode == OpenMode::Output) {
        if (!may_replace(r)) return IoError::WriteProtected;
        f->changed = true;
    } else {
        DiskFile existing;
        bool exists = false;
        if (const IoError error = read_file(r, existing, exists, false); error != IoError::None) return error;
        if (!exists) {
            if (mode == OpenMode::Input) return IoError::FileError;
            f->changed = true;
        } else {
            if (existing.type.program) return IoError::FileError;
            if (!existing.type.same_kind(type) ||
                (pab.record_length && pab.record_length != existing.type.record_length))
                return IoError::BadAttribute;
            if (mode != OpenMode::Input && existing.type.protect) return IoError::WriteProtected;
            f->file = std::move(existing);
        }
    }
    f->drive = r.drive;
    f->name = r.name;
    f->mode = mode;
    f->relative = pab.relative();
    if (type.variable)
        for (const std::string& record : f->file.records) f->packing.add(record.size());
    f->next = mode == OpenMode::Append ? f->file.records.size() : 0;
    pab.record_length = f->file.type.record_length;
    open_[r.key] = std::move(f);
    return IoError::None;
}

IoError DiskDrives::close(Request& r) {
    const auto it = open_.find(r.key);
    if (it == open_.end()) return IoError::FileError;
    const bool stored = !it->second->changed || store(*it->second);
    open_.erase(it);
    return stored ? IoError::None : IoError::DeviceError;
}

IoError DiskDrives::read(Request& r) {
    OpenFile* f = find(r);
    if (!f) return IoError::FileError;
    if (f->mode == OpenMode::Output || f->mode == OpenMode::Append) return IoError::IllegalOperation;
    const size_t n = f->relative ? r.pab.record : f->next;
    if (n >= f->file.records.size()) return IoError::PastEnd;
    const std::string& record = f->file.records[n];
    write_vram(r.vram, r.pab.buffer, record);
    r.pab.char_count = static_cast<uint8_t>(record.size());
    f->next = n + 1;
    if (f->relative) r.pab.record = static_cast<uint16_t>(n + 1);
    return IoError::None;
}

IoError DiskDrives::write(Request& r) {
    OpenFile* f = find(r);
    if (!f) return IoError::FileError;
    if (f->mode == OpenMode::Input) return IoError::IllegalOperation;
    const FileType& type = f->file.type;
    if (type.variable && r.pab.char_count > type.record_length) return IoError::NoSpace;
    std::string data = read_vram(r.vram, r.pab.buffer, type.variable ? r.pab.char_count : type.record_length);
    std::vector<std::string>& records = f->file.records;
    const size_t n = f->mode == OpenMode::Append ? records.size() : f->relative ? r.pab.record : f->next;

    VariablePacking packing = f->packing;
    uint32_t sectors;
    if (!type.variable) {
        const size_t per = kSectorSize / type.record_length;
        sectors = static_cast<uint32_t>((std::max(records.size(), n + 1) + per - 1) / per);
    } else if (n == records.size()) {
        packing.add(data.size());
        sectors = packing.sectors;
    } else {
        packing = VariablePacking{};
        for (size_t i = 0; i < records.size(); ++i) packing.add(i == n ? data.size() : records[i].size());
        sectors = packing.sectors;
    }
    if (sectors > kMaxSectors) return IoError::NoSpace;

    if (n >= records.size()) {
        records.resize(n, std::string(type.record_length, '\0'));
        records.push_back(std::move(data));
    } else {
        records[n] = std::move(data);
    }
    f->packing = packing;
    f->next = n + 1;
    f->changed = true;
    if (f->relative) r.pab.record = static_cast<uint16_t>(n + 1);
    return IoError::None;
}

IoError DiskDrives::restore(Request& r) {
    OpenFile* f = find(r);
    if (!f) return IoError::FileError;
    if (f->mode == OpenMode::Output || f->mode == OpenMode::Append) return IoError::IllegalOperation;
    f->next = f->relative ? r.pab.record : 0;
    return IoError::None;
}

IoError DiskDrives::load(Request& r) {
    DiskFile file;
    bool exists = false;
    if (const IoError error = read_file(r, file, exists, true); error != IoError::None) return error;
    if (!exists || !file.type.program) return IoError::FileError;
    if (file.program.size() > r.pab.record) return IoError::NoSpace;
    write_vram(r.vram, r.pab.buffer, file.program);
    return IoError::None;
}

IoError DiskDrives::save(Request& r) {
    if (!may_replace(r)) return IoError::WriteProtected;
    DiskFile file;
    file.type.program = true;
    file.program = read_vram(r.vram, r.pab.buffer, r.pab.record);
    return r.folder.write(r.name, encode_tifiles(file)) ? IoError::None : IoError::DeviceError;
}

IoError DiskDrives::remove(Request& r) {
    if (!r.folder.look(r.name).exists) return IoError::FileError;
    if (!may_replace(r)) return IoError::WriteProtected;
    open_.erase(r.key);
    return r.folder.remove(r.name) ? IoError::None : IoError::DeviceError;
}

// Removing a record from a relative file: the disks do not support it.
IoError DiskDrives::scratch(Request&) { return IoError::IllegalOperation; }

IoError DiskDrives::status(Request& r) {
    uint8_t bits = 0;
    DiskFile read_back;
    const DiskFile* file = nullptr;
    if (const OpenFile* f = find(r)) {
        file = &f->file;
        const size_t n = f->relative ? r.pab.record : f->next;
        if (n >= f->file.records.size()) bits |= file_status::kEndOfFile;
    } else {
        bool exists = false;
        if (const IoError error = read_file(r, read_back, exists, false); error != IoError::None) return error;
        if (exists) file = &read_back;
    }
    if (!file) {
        bits |= file_status::kMissing;
    } else {
        const FileType& t = file->type;
        if (t.protect) bits |= file_status::kProtected;
        if (t.program) bits |= file_status::kProgram;
        if (!t.program && t.internal) bits |= file_status::kInternal;
        if (!t.program && t.variable) bits |= file_status::kVariable;
    }
    r.pab.status = bits;
    return IoError::None;
}

}  // namespace scree
