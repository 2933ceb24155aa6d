#include "machine/files/load_image.hpp"

#include <algorithm>

namespace scree {

void LoadImage::store_word(uint16_t address, uint16_t value) {
    store(address, static_cast<uint8_t>(value >> 8));
    store(static_cast<uint16_t>(address + 1), static_cast<uint8_t>(value));
}

uint16_t LoadImage::word(uint16_t address) const {
    return static_cast<uint16_t>(bytes_[address] << 8 | bytes_[static_cast<uint16_t>(address + 1)]);
}

bool LoadImage::empty() const { return std::find(loaded_.begin(), loaded_.end(), true) == loaded_.end(); }

std::vector<LoadedBlock> LoadImage::blocks() const {
    std::vector<LoadedBlock> out;
    for (unsigned a = 0; a < 0x10000;) {
        if (!loaded_[a]) {
            ++a;
            continue;
        }
        LoadedBlock block;
        block.address = static_cast<uint16_t>(a);
        while (a < 0x10000 && loaded_[a]) block.bytes.push_back(bytes_[a++]);
        out.push_back(std::move(block));
    }
    return out;
}

bool is_loadable(uint16_t address) {
    return (address >= 0x2000 && address < 0x4000) || (address >= 0x8000 && address < 0x8400) || address >= 0xA000;
}

}  // namespace scree
