#include "machine/files/load_image.hpp"

namespace scree {

void LoadImage::store_word(uint16_t address, uint16_t value) {
    store(address, static_cast<uint8_t>(value >> 8));
    store(static_cast<uint16_t>(address + 1), static_cast<uint8_t>(value));
}

uint16_t LoadImage::word(uint16_t address) const {
    return static_cast<uint16_t>(bytes_[address] << 8 | bytes_[static_cast<uint16_t>(address + 1)]);
}

std::vector<LoadedBlock> LoadImage::blocks() const {
    std::vector<LoadedBlock> out;
    for (uint32_t a = first_; a < end_;) {
        if (!loaded_[a]) {
            ++a;
            continue;
        }
        LoadedBlock block;
        block.address = static_cast<uint16_t>(a);
        while (a < end_ && loaded_[a]) block.bytes.push_back(bytes_[a++]);
        out.push_back(std::move(block));
    }
    return out;
}

bool is_loadable(uint16_t address) {
    return (address >= 0x2000 && address < 0x4000) || (address >= 0x8000 && address < 0x8400) || address >= 0xA000;
}

}  // namespace scree
