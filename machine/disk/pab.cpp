#include "machine/disk/pab.hpp"

namespace scree {

namespace {

constexpr uint16_t kVramMask = 0x3FFF;

uint8_t byte_at(const Vram& vram, uint16_t address, unsigned offset) {
    return vram[(address + offset) & kVramMask];
}

uint16_t word_at(const Vram& vram, uint16_t address, unsigned offset) {
    return static_cast<uint16_t>(byte_at(vram, address, offset) << 8 | byte_at(vram, address, offset + 1));
}

void put(Vram& vram, uint16_t address, unsigned offset, uint8_t value) { vram[(address + offset) & kVramMask] = value; }

}  // namespace

Pab read_pab(const Vram& vram, uint16_t address) {
    Pab p;
    p.address = address & kVramMask;
    p.opcode = byte_at(vram, address, 0);
    p.flags = byte_at(vram, address, 1);
    p.buffer = word_at(vram, address, 2);
    p.record_length = byte_at(vram, address, 4);
    p.char_count = byte_at(vram, address, 5);
    p.record = word_at(vram, address, 6);
    p.status = byte_at(vram, address, 8);
    p.name = read_vram(vram, static_cast<uint16_t>(address + Pab::kFixedSize), byte_at(vram, address, 9));
    return p;
}

void write_pab(Vram& vram, const Pab& p) {
    put(vram, p.address, 1, p.flags);
    put(vram, p.address, 4, p.record_length);
    put(vram, p.address, 5, p.char_count);
    put(vram, p.address, 6, static_cast<uint8_t>(p.record >> 8));
    put(vram, p.address, 7, static_cast<uint8_t>(p.record));
    put(vram, p.address, 8, p.status);
}

std::string read_vram(const Vram& vram, uint16_t address, size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(vram[(address + i) & kVramMask]);
    return bytes;
}

void write_vram(Vram& vram, uint16_t address, std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) vram[(address + i) & kVramMask] = static_cast<uint8_t>(bytes[i]);
}

}  // namespace scree
