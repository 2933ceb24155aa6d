// scree's command line: scree [options] FILE...
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/files/load_files.hpp"

namespace scree {

struct DumpRange {
    uint16_t address = 0;
    uint32_t length = 0;
};

struct RunOptions {
    std::vector<std::string> files;
    EntryChoice entry;
    uint64_t frames = 600;
    bool until_idle = false;
    bool screen = false;
    bool stats = false;
    bool disassemble = false;
    bool help = false;
    bool version = false;
    std::string trace_file;
    std::string output_file;
    std::string keys;
    std::vector<DumpRange> dumps;
    std::string cart;
    bool cart_inverted = true;  // banks in the order of fell's .M and .M-
    std::string png_file;
    uint64_t png_every = 0;  // with png_folder: every Nth frame's picture
    std::string png_folder;
    std::string wav_file;
    std::array<std::string, 9> disks;  // host folders of DSK1 to DSK9
    std::string printer_file;
};

// False with the reason for the first argument that is wrong.
bool parse_options(const std::vector<std::string>& args, RunOptions& options, std::string& error);

// A number as the options take it: >hex or decimal. False when it is not
// one or exceeds limit.
bool parse_number(const std::string& text, uint64_t limit, uint64_t& value);

}  // namespace scree
