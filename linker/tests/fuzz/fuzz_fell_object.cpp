// Loads arbitrary bytes as an object file, with and without names only,
// then writes the image and the map as a link would.
#include <sstream>

#include "linker/file_access.hpp"
#include "linker/link_state.hpp"
#include "linker/map_report.hpp"
#include "linker/object_loader.hpp"
#include "linker/program_file.hpp"
#include "null_console.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fell::NullBuffer null;
    std::ostream out(&null);
    std::istringstream in;
    platform::Console con{in, out, out};
    fell::MemoryFileSystem files;
    files.files["in.obj"] = std::string(reinterpret_cast<const char*>(data), size);
    auto s = std::make_unique<fell::LinkState>(con, files);
    s->verbose = size % 2 == 1;
    fell::load_object_file(*s, "in.obj");
    s->names_only = true;
    fell::load_object_file(*s, "in.obj");
    s->names_only = false;
    fell::load_object_file(*s, "in.obj");
    fell::save_command(*s, " out >0000 >FFFF");
    fell::map_report(*s);
    return 0;
}
