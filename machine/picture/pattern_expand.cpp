#include "machine/picture/pattern_expand.hpp"

namespace scree {

namespace {

// Built through bytes, so the table suits the host's byte order.
std::array<uint64_t, 256> make_masks() {
    std::array<uint64_t, 256> masks{};
    for (unsigned pattern = 0; pattern < 256; ++pattern) {
        uint8_t bytes[8];
        for (unsigned bit = 0; bit < 8; ++bit) bytes[bit] = (pattern & (0x80u >> bit)) ? 0xFF : 0x00;
        std::memcpy(&masks[pattern], bytes, 8);
    }
    return masks;
}

}  // namespace

const std::array<uint64_t, 256>& pattern_masks() {
    static const std::array<uint64_t, 256> masks = make_masks();
    return masks;
}

}  // namespace scree
