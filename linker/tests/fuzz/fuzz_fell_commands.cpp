// Runs arbitrary text as linker commands against files in memory: an object
// file, a program file chain and a ROM program are there to be named.
#include <sstream>

#include "linker/file_access.hpp"
#include "linker/run_fell.hpp"
#include "null_console.hpp"

namespace {

const char kObject[] =
    "00008MAIN    A0000B02E0B8300C0002B00007F7FEF                                0001\r\n"
    "50000START 50008SLAST 30006EXT   7F838F                                     0002\r\n"
    ":       TARN v1.2/a                                                         0003\r\n";

const char kRom[] =
    "00000ROM     96010B6000B0000B000066010TABLE 67000BUFFER7F403F               0001\r\n"
    ":       TARN v1.2/a                                                         0002\r\n";

std::string program(uint16_t flag, uint16_t load, size_t length) {
    std::string p = {static_cast<char>(flag >> 8), static_cast<char>(flag), static_cast<char>(length >> 8),
                     static_cast<char>(length), static_cast<char>(load >> 8), static_cast<char>(load)};
    for (size_t i = 0; i < length; ++i) p += static_cast<char>(i * 7);
    return p;
}

// The files every run starts from, made once.
const fell::MemoryFileSystem& initial_files() {
    static const fell::MemoryFileSystem files = [] {
        fell::MemoryFileSystem f;
        f.files["main.obj"] = kObject;
        f.files["rom.obj"] = kRom;
        f.files["P1"] = program(0xFFFF, 0xA000, 0x1FFA);
        f.files["P2"] = program(0x0000, 0xBFFA, 0x0100);
        return f;
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fell::NullBuffer null;
    std::ostream out(&null);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    platform::Console con{in, out, out};
    fell::MemoryFileSystem files = initial_files();
    fell::run_fell_with({}, con, files);
    return 0;
}
