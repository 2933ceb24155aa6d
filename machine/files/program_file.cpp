#include "machine/files/program_file.hpp"

#include <algorithm>
#include <cstdio>

#include "machine/files/disk_header.hpp"
#include "machine/files/load_errors.hpp"
#include "platform/paths.hpp"

namespace scree {

namespace {

constexpr unsigned kMaxChainFiles = 64;

uint16_t word_at(std::string_view s, size_t i) {
    return static_cast<uint16_t>(static_cast<uint8_t>(s[i]) << 8 | static_cast<uint8_t>(s[i + 1]));
}

// The file without its disk header, as many bytes as the header says.
bool strip_disk_header(std::string_view file, std::string_view& content, std::string& reason) {
    content = file;
    const auto header = read_disk_header(file);
    if (!header) return true;
    if (!header->is_program()) {
        reason = "its " + std::string(kind_name(header->kind)) + " header describes a " + type_name(*header) +
                 " file, not a program file";
        return false;
    }
    const uint32_t size = header->content_size();
    if (size > file.size() - kDiskHeaderSize) {
        reason = "ends after " + hex(file.size() - kDiskHeaderSize) + " bytes, before the " + hex(size) +
                 " bytes its " + std::string(kind_name(header->kind)) + " header gives";
        return false;
    }
    content = file.substr(kDiskHeaderSize, size);
    return true;
}

bool store_piece(const ProgramPiece& piece, LoadImage& image, std::string& reason) {
    for (size_t i = 0; i < piece.data.size(); ++i) {
        const uint16_t address = static_cast<uint16_t>(piece.address + i);
        if (!is_loadable(address)) {
            reason = no_ram_at(address);
            return false;
        }
        image.store(address, static_cast<uint8_t>(piece.data[i]));
    }
    return true;
}

}  // namespace

bool parse_program_file(std::string_view file, ProgramPiece& piece, std::string& reason) {
    std::string_view content;
    if (!strip_disk_header(file, content, reason)) return false;
    if (content.size() < kProgramHeaderSize) {
        reason = "is too short for the 6-byte program file header";
        return false;
    }
    piece.flag = word_at(content, 0);
    piece.length = word_at(content, 2);
    piece.address = word_at(content, 4);
    if (piece.flag != kProgramMore && piece.flag != kProgramLast) {
        reason = "is no program file: its first word is " + hex(piece.flag) +
                 ", not >FFFF (another file follows) or >0000 (the last file)";
        return false;
    }
    // The length counts the header too, or (older tools) the data alone.
    const size_t present = content.size() - kProgramHeaderSize;
    if (piece.length > kProgramHeaderSize && present < piece.length - kProgramHeaderSize) {
        reason = "holds " + hex(present) + " bytes after its header, fewer than its length word " + hex(piece.length) +
                 " gives";
        return false;
    }
    const size_t count = std::min<size_t>(piece.length, present);
    if (piece.address + count > 0x10000) {
        reason = "its " + hex(count) + " bytes from " + hex(piece.address) + " reach beyond >FFFF";
        return false;
    }
    piece.data = content.substr(kProgramHeaderSize, count);
    return true;
}

bool load_program_chain(const std::string& name, std::string_view first, const FileReader& read, LoadImage& image,
                        uint16_t& entry, std::string& error) {
    std::string current = name;
    std::string buffer;
    std::string_view file = first;
    for (unsigned count = 1;; ++count) {
        ProgramPiece piece;
        std::string reason;
        if (!parse_program_file(file, piece, reason) || !store_piece(piece, image, reason)) {
            error = current + ": " + reason;
            return false;
        }
        if (count == 1) entry = piece.address;
        if (piece.flag == kProgramLast) return true;
        std::string next = current;
        if (count == kMaxChainFiles || !platform::count_up_name(next)) {
            error = current + ": flag >FFFF asks for a next file, and " +
                    (count == kMaxChainFiles ? "the chain already has 64 files" : "no name follows this one");
            return false;
        }
        const ReadResult r = read(next, buffer);
        if (r != ReadResult::Ok) {
            error = next + ": " + read_failure(r) + "; " + current + " asks for it as the next file of its chain";
            return false;
        }
        current = std::move(next);
        file = buffer;
    }
}

}  // namespace scree
