// Cartridge ROM images as --cart takes them: 8 KB, or banks of 8 KB (four,
// as fell's .M, .M- and .M+ write them, or two), with the header at >6000
// of bank 0 that the console reads: >AA, and at >6006 the program list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "machine/files/file_reader.hpp"
#include "machine/files/load_files.hpp"
#include "machine/ti99/cartridge.hpp"
#include "machine/ti99/program_start.hpp"

namespace scree {

// An entry of the header's program list.
struct CartridgeProgram {
    std::string name;
    uint16_t address = 0;
};

struct LoadedCartridge {
    std::optional<Cartridge> cartridge;
    std::vector<CartridgeProgram> programs;  // in list order
};

// Reads the image and its program list; false with a message naming the
// file and the reason.
bool load_cartridge(const std::string& name, bool inverted, const FileReader& read, LoadedCartridge& out,
                    std::string& error);

// The program --entry names (its name in the list, ignoring case, or an
// address), else the first one; false with the reason.
bool choose_cartridge_start(const std::string& file, const LoadedCartridge& cart, const EntryChoice& choice,
                            CartridgeStart& start, std::string& error);

}  // namespace scree
