// The memory a loader fills: 64 KB of bytes and which of them were loaded,
// before any of it reaches the machine.
#pragma once

#include <cstdint>
#include <vector>

namespace scree {

// A run of loaded bytes.
struct LoadedBlock {
    uint16_t address = 0;
    std::vector<uint8_t> bytes;
};

class LoadImage {
public:
    LoadImage() : bytes_(0x10000), loaded_(0x10000) {}

    void store(uint16_t address, uint8_t value) {
        bytes_[address] = value;
        loaded_[address] = 1;
        if (address < first_) first_ = address;
        if (address + 1u > end_) end_ = address + 1u;
    }
    void store_word(uint16_t address, uint16_t value);
    uint8_t byte(uint16_t address) const { return bytes_[address]; }
    uint16_t word(uint16_t address) const;
    bool loaded(uint16_t address) const { return loaded_[address] != 0; }
    bool empty() const { return end_ == 0; }

    // Runs of loaded bytes in address order.
    std::vector<LoadedBlock> blocks() const;

private:
    std::vector<uint8_t> bytes_;
    std::vector<uint8_t> loaded_;
    uint32_t first_ = 0x10000;  // the loaded bytes lie in first_..end_-1
    uint32_t end_ = 0;
};

// True where a loader may put code: the 32K expansion (>2000->3FFF,
// >A000->FFFF) and the scratchpad with its mirrors (>8000->83FF).
bool is_loadable(uint16_t address);

}  // namespace scree
