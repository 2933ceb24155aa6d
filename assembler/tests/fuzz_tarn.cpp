// Assembles arbitrary bytes as a source file, in-process. The first byte
// picks options; inc.a99 in the include folder holds the same bytes for COPY.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/tarn.hpp"
#include "platform/paths.hpp"

namespace {

std::string work_dir() {
    static std::string dir = [] {
        char pattern[] = "/tmp/fuzz_tarn-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) std::abort();
        std::string d = made;
        platform::set_program_path(d + "/tarn");
        std::ofstream(d + "/tarn.ini") << "[CONFIG]\nEXTENSIONS=A99\nINCLUDE=" << d << "\n[SUBSTITUTE]\nDSK1.=" << d
                                       << "/\n";
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string dir = work_dir();
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
