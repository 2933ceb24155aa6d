// The files of a command line, loaded as the Editor/Assembler would: each
// program file with its chain, each object file after the ones before, and
// the program's start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "machine/files/file_reader.hpp"
#include "machine/files/load_image.hpp"
#include "machine/ti99/machine.hpp"

namespace scree {

// --entry: a DEF's name or an address; nothing for the files' own entry.
using EntryChoice = std::variant<std::monostate, std::string, uint16_t>;

struct LoadedProgram {
    LoadImage image;
    // The --entry, else the first file's own: a program file's load address
    // or the entry of the first module that gives one.
    std::optional<uint16_t> entry;
    // Where relocatable code would load next, when object files placed some:
    // the Editor/Assembler's first free address of high memory (FSTHI).
    std::optional<uint16_t> first_free_high;
};

// Loads every file; false with a message naming the file and the reason.
// Without an entry of any kind, entry stays empty.
bool load_files(const std::vector<std::string>& names, const EntryChoice& choice, const FileReader& read,
                LoadedProgram& program, std::string& error);

// Loads the files' bytes into the machine (no cycles, no device accesses)
// and moves FSTHI past their relocatable code.
void place_program(const LoadedProgram& program, Machine& machine);

}  // namespace scree
