// Assembles arbitrary bytes as a source file, in-process. The first byte
// picks options; inc.a99 in the include folder holds the same bytes for COPY.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/tarn.hpp"
#include "platform/paths.hpp"

namespace {

// The folder of the source, its COPY file and the outputs: made once, in
// memory (tmpfs) when the machine has one, and removed at exit.
std::string make_work_dir() {
    struct stat st;
    std::string dir = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0
                          ? "/dev/shm/fuzz_tarn-XXXXXX"
                          : "/tmp/fuzz_tarn-XXXXXX";
    if (!mkdtemp(dir.data())) std::abort();
    platform::set_program_path(dir + "/tarn");
    std::ofstream(dir + "/tarn.ini") << "[CONFIG]\nEXTENSIONS=A99\nINCLUDE=" << dir << "\n[SUBSTITUTE]\nDSK1.=" << dir
                                     << "/\n";
    return dir;
}

const std::string& work_dir() {
    static const std::string dir = make_work_dir();
    static const bool removed_at_exit = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(work_dir(), ec);
    }) == 0;
    static_cast<void>(removed_at_exit);
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = work_dir();
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::string source(reinterpret_cast<const char*>(data + 1), size - 1);
    std::ofstream(dir + "/src.a99", std::ios::binary) << source;
    std::ofstream(dir + "/inc.a99", std::ios::binary) << source;

    std::vector<std::string> args{"-I" + dir + "/src.a99"};
    if (flags & 1) args.push_back("-L");
    if (flags & 2) args.push_back("-R");
    if (flags & 4) args.push_back("-S");
    if (flags & 8) args.push_back("-s");
    if (flags & 16) args.push_back("-C");
    if (flags & 32) args.push_back("-V");
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    int code = run_tarn(args, con);
    if (code != 0 && code != 1 && code != 12) std::abort();
    return 0;
}
