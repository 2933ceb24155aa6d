// Program files as the Editor/Assembler's option 5 loads them: a 6-byte
// header (flag, length, load address) and the bytes to load, with or
// without a TIFILES or V9T9 header; flag >FFFF says that another file
// follows, named with its last character one higher.
//
// The length word counts the 6 header bytes with the data, as the Editor/
// Assembler's SAVE utility writes it; some tools (older versions of fell
// among them) wrote the data bytes alone. Both load: the bytes present
// after the header, up to the length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/files/file_reader.hpp"
#include "machine/files/load_image.hpp"

namespace scree {

inline constexpr size_t kProgramHeaderSize = 6;
inline constexpr uint16_t kProgramMore = 0xFFFF;
inline constexpr uint16_t kProgramLast = 0x0000;

// One file of a chain, taken apart.
struct ProgramPiece {
    uint16_t flag = 0;
    uint16_t length = 0;   // the header's length word
    uint16_t address = 0;
    std::string_view data; // the bytes that load
};

// Splits a program file; false with the reason when it is not one.
bool parse_program_file(std::string_view file, ProgramPiece& piece, std::string& reason);

// Loads the chain that starts with the file `name` (already read as
// `first`); entry is the first file's load address. False with a message
// naming the file and the reason.
bool load_program_chain(const std::string& name, std::string_view first, const FileReader& read, LoadImage& image,
                        uint16_t& entry, std::string& error);

}  // namespace scree
