// A cartridge ROM at >6000->7FFF: one 8K bank, or two or four of them, one
// of which a write to >6000 + 2 * n (repeating through the area) selects.
// In an inverted image, as fell's .M and .M- write them, bank 0 is the last
// 8K of the file, bank 1 the one before it...; in a normal image (.M+) bank
// 0 is the first. Bank 0 is selected at power-up.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace scree {

constexpr size_t kCartridgeBankSize = 0x2000;
constexpr uint16_t kCartridgeAddress = 0x6000;

class Cartridge {
public:
    // nullopt unless the image holds 1, 2 or 4 whole banks.
    static std::optional<Cartridge> from_image(std::vector<uint8_t> image, bool inverted);

    unsigned banks() const { return static_cast<unsigned>(image_.size() / kCartridgeBankSize); }
    // Bank n (below banks()) as the CPU sees it at >6000.
    const uint8_t* bank(unsigned n) const;
    // The bank a write to address selects.
    unsigned bank_for_write(uint16_t address) const { return (address >> 1) & (banks() - 1); }

private:
    Cartridge(std::vector<uint8_t> image, bool inverted) : image_(std::move(image)), inverted_(inverted) {}

    std::vector<uint8_t> image_;
    bool inverted_;
};

}  // namespace scree
