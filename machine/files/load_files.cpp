#include "machine/files/load_files.hpp"

#include "machine/files/disk_header.hpp"
#include "machine/files/load_errors.hpp"
#include "machine/files/object_loader.hpp"
#include "machine/files/program_file.hpp"
#include "machine/ti99/program_start.hpp"

namespace scree {

namespace {

bool choose_entry(const EntryChoice& choice, const ObjectLoader& objects, std::optional<uint16_t> first_own,
                  std::optional<uint16_t>& entry, std::string& error) {
    if (const uint16_t* address = std::get_if<uint16_t>(&choice)) {
        entry = *address;
    } else if (const std::string* name = std::get_if<std::string>(&choice)) {
        entry = objects.definition(*name);
        if (!entry) {
            error = "--entry " + *name + ": no module defines " + *name;
            return false;
        }
    } else {
        entry = first_own;
    }
    return true;
}

}  // namespace

bool load_files(const std::vector<std::string>& names, const EntryChoice& choice, const FileReader& read,
                LoadedProgram& program, std::string& error) {
    ObjectLoader objects(program.image);
    std::optional<uint16_t> first_own;
    std::string data;
    for (const std::string& name : names) {
        const ReadResult r = read(name, data);
        if (r != ReadResult::Ok) {
            error = name + ": " + read_failure(r);
            return false;
        }
        if (!read_disk_header(data) && looks_like_object_file(data)) {
            if (!objects.load(name, data, error)) return false;
            if (!first_own) first_own = objects.entry();
            continue;
        }
        uint16_t start = 0;
        if (!load_program_chain(name, data, read, program.image, start, error)) return false;
        if (!first_own) first_own = start;
    }
    if (!objects.resolve(error)) return false;
    if (objects.relocatable_end() != kFirstRelocatableAddress && objects.relocatable_end() < 0x10000)
        program.first_free_high = static_cast<uint16_t>(objects.relocatable_end());
    return choose_entry(choice, objects, first_own, program.entry, error);
}

void place_program(const LoadedProgram& program, Machine& machine) {
    for (const LoadedBlock& block : program.image.blocks())
        for (size_t i = 0; i < block.bytes.size(); ++i)
            machine.poke(static_cast<uint16_t>(block.address + i), block.bytes[i]);
    if (program.first_free_high) machine.poke_word(kFirstFreeHigh, *program.first_free_high);
}

}  // namespace scree
