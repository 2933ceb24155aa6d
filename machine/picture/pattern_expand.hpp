// Table-driven pattern expansion: a pattern byte becomes eight pixels of
// two colours with one table load and three logic operations.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace scree {

// For each pattern byte, eight bytes in memory order (leftmost pixel
// first): >FF where the bit is set, 0 where it is clear.
const std::array<uint64_t, 256>& pattern_masks();

constexpr uint64_t kEveryByte = 0x0101010101010101u;

// Eight pixels of a pattern byte in colours fg (set bits) and bg.
inline void expand_pattern(uint8_t* out, uint64_t mask, uint8_t fg, uint8_t bg) {
    const uint64_t pixels = (mask & (fg * kEveryByte)) | (~mask & (bg * kEveryByte));
    std::memcpy(out, &pixels, 8);
}

}  // namespace scree
