#include "machine/ti99/cartridge.hpp"

namespace scree {

std::optional<Cartridge> Cartridge::from_image(std::vector<uint8_t> image, bool inverted) {
    const size_t n = image.size() / kCartridgeBankSize;
    if (image.size() % kCartridgeBankSize != 0 || (n != 1 && n != 2 && n != 4)) return std::nullopt;
    return Cartridge(std::move(image), inverted);
}

const uint8_t* Cartridge::bank(unsigned n) const {
    const unsigned in_file = inverted_ ? banks() - 1 - n % banks() : n % banks();
    return image_.data() + in_file * kCartridgeBankSize;
}

}  // namespace scree
