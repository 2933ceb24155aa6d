#include "win32/images.hpp"

#include <cstdint>
#include <cstring>

#include "platform/files.hpp"

namespace dok {
namespace {

constexpr uint64_t kMaxFileBytes = 64u << 20;
constexpr int64_t kMaxSide = 16384;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

uint32_t u16(std::string_view d, size_t at) {
    return static_cast<uint8_t>(d[at]) | static_cast<uint32_t>(static_cast<uint8_t>(d[at + 1])) << 8;
}
uint32_t u32(std::string_view d, size_t at) { return u16(d, at) | u16(d, at + 2) << 16; }
int32_t s32(std::string_view d, size_t at) { return static_cast<int32_t>(u32(d, at)); }

uint64_t row_bytes(int64_t width, uint32_t bits) { return (static_cast<uint64_t>(width) * bits + 31) / 32 * 4; }

bool known_depth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint64_t palette_bytes(uint32_t bits, uint32_t used, uint32_t entry) {
    if (bits > 8) return uint64_t{used} * entry;
    return uint64_t{used ? used : 1u << bits} * entry;
}

// The header of a device-independent bitmap at `at` whose palette and
// pixels must end by `end`; pixels at `pixels` (0: right after the palette).
// An icon image holds its colour pixels and then a mask of one bit each.
bool plausible_dib(std::string_view d, size_t at, uint64_t end, uint64_t pixels, bool icon) {
    if (end > d.size() || at + 16 > end) return false;
    uint32_t header = u32(d, at);
    int64_t width, height;
    uint32_t planes, bits, compression = kRgb, used = 0, image_size = 0, entry = 4;
    if (header == 12) {
        width = u16(d, at + 4);
        height = u16(d, at + 6);
        planes = u16(d, at + 8);
        bits = u16(d, at + 10);
        entry = 3;
    } else if (header >= 40 && header <= 124) {
        if (at + 40 > end) return false;
        width = s32(d, at + 4);
        height = s32(d, at + 8);
        planes = u16(d, at + 12);
        bits = u16(d, at + 14);
        compression = u32(d, at + 16);
        image_size = u32(d, at + 20);
        used = u32(d, at + 32);
    } else {
        return false;
    }
    if (height < 0) height = -height;
    if (icon) height /= 2;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1 || !known_depth(bits) ||
        used > 256 * 256)
        return false;
    uint64_t masks = header == 40 && compression == kBitFields ? 12 : 0;
    uint64_t after_header = at + header + masks + palette_bytes(bits, used, entry);
    if (after_header > end) return false;
    if (pixels == 0) pixels = after_header;
    if (pixels > end) return false;
    if (compression == kRle8 || compression == kRle4) {
        bool fits = (compression == kRle8 ? bits == 8 : bits == 4) && image_size >= 2;
        return !icon && fits && pixels + image_size <= end;
    }
    if (compression != kRgb && compression != kBitFields) return false;
    uint64_t need = row_bytes(width, bits) * static_cast<uint64_t>(height);
    if (icon) need += row_bytes(width, 1) * static_cast<uint64_t>(height);
    return pixels + need <= end;
}

bool read_small_file(const std::string& path, std::string& data) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return false;
    uint64_t size = (uint64_t{a.nFileSizeHigh} << 32) | a.nFileSizeLow;
    return size <= kMaxFileBytes && platform::read_file(path, data) && data.size() <= kMaxFileBytes;
}

}  // namespace

bool plausible_bitmap(std::string_view d) {
    if (d.size() < 14 + 12 || d[0] != 'B' || d[1] != 'M') return false;
    uint32_t pixels = u32(d, 10);
    return pixels >= 14 + 12 && plausible_dib(d, 14, d.size(), pixels, false);
}

bool plausible_icon(std::string_view d) {
    if (d.size() < 6 || u16(d, 0) != 0 || u16(d, 2) != 1) return false;
    uint32_t count = u16(d, 4);
    if (count == 0 || 6 + uint64_t{count} * 16 > d.size()) return false;
    static const char kPng[] = "\x89PNG\r\n\x1a\n";
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = 6 + size_t{i} * 16;
        uint64_t bytes = u32(d, entry + 8), offset = u32(d, entry + 12);
        if (offset + bytes > d.size() || bytes < 8) return false;
        if (d.compare(offset, 8, kPng, 8) == 0) continue;
        if (!plausible_dib(d, offset, offset + bytes, 0, true)) return false;
    }
    return true;
}

HBITMAP load_bitmap_file(const std::string& path) {
    std::string data;
    if (!read_small_file(path, data) || !plausible_bitmap(data)) return nullptr;
    return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

HICON load_icon_file(const std::string& path) {
    std::string data;
    if (!read_small_file(path, data) || !plausible_icon(data)) return nullptr;
    return static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
}

}  // namespace dok
