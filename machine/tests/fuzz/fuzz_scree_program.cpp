// Arbitrary memory images, program files and object files, loaded as scree
// loads them and run for a frame of machine time (at most some 8,300
// instructions). The first byte picks the way: bit 0 a raw image at >A000
// instead of the loaders, bit 1 a stop at a jump to itself, bit 2 a trace
// line for each of the first 1,000 instructions, bit 3 the disassembly
// listing, bits 4 and 5 both set the console's whole power-up (17 frames)
// before the program instead of its ROM and utilities alone. Our card is
// in the machine, its printer printing nowhere.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "machine/disk/host_card.hpp"
#include "machine/files/load_files.hpp"
#include "machine/run/disassembly_listing.hpp"
#include "machine/rom/rom.hpp"
#include "machine/run/trace_writer.hpp"
#include "machine/ti99/program_start.hpp"

namespace {

constexpr uint64_t kFrames = 1;
constexpr unsigned kTracedInstructions = 1000;
constexpr size_t kMaxImage = 0x6000;  // >A000->FFFF

bool load(const std::string& file, bool raw, scree::LoadedProgram& program) {
    if (raw) {
        for (size_t i = 0; i < file.size() && i < kMaxImage; ++i)
            program.image.store(static_cast<uint16_t>(0xA000 + i), static_cast<uint8_t>(file[i]));
        program.entry = 0xA000;
        return true;
    }
    const scree::FileReader read = [&file](const std::string& name, std::string& data) {
        if (name != "F") return scree::ReadResult::Missing;
        data = file;
        return scree::ReadResult::Ok;
    };
    std::string error;
    return scree::load_files({"F"}, {}, read, program, error);
}

// The console's ROM and the utilities in place, without running the
// power-up: the machine as it is at reset.
void quick_start(scree::Machine& machine) {
    machine.load_rom(scree::console_rom());
    const std::span<const uint8_t> low = scree::utilities_image();
    for (size_t i = 0; i < low.size(); ++i)
        machine.poke(static_cast<uint16_t>(scree::kUtilitiesAddress + i), low[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    auto program = std::make_unique<scree::LoadedProgram>();
    if (!load(file, mode & 1, *program)) return 0;
    if (mode & 8) (void)scree::disassembly_listing(program->image, program->entry);
    auto machine = std::make_unique<scree::Machine>();
    if ((mode & 0x30) == 0x30) {
        if (!scree::prepare_machine(*machine)) return 0;
    } else {
        quick_start(*machine);
    }
    scree::DiskDrives disks(scree::DriveFolders{});  // no drive mapped: no file touched
    scree::Printer printer([](std::string_view) {});
    scree::HostCard card(*machine, disks, printer);
    card.plug();
    scree::place_program(*program, *machine);
    scree::start_program(*machine, program->entry.value_or(0xA000));
    const bool stop_at_self_jump = mode & 2;
    if (mode & 4) {
        scree::TraceWriter trace;
        trace.start(*machine);
        unsigned traced = 0;
        machine->run_stepping(kFrames, stop_at_self_jump, [&] {
            if (traced < kTracedInstructions) (void)trace.line(*machine), ++traced;
        });
    } else {
        machine->run(kFrames, stop_at_self_jump);
    }
    return 0;
}
