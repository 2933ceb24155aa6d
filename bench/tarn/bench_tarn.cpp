// Assembles a generated source of 200,000 lines with a list file and prints
// lines per second and peak memory.
#include <sys/resource.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/tarn.hpp"
#include "platform/paths.hpp"

namespace fs = std::filesystem;

namespace {

constexpr int kLines = 200000;
constexpr int kLabels = 1500;

// Instructions of every format, data directives and labels, in a loop of
// statements that keeps every jump in range.
void generate(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    static const char* const kBody[] = {
        "       MOV  @TABLE(R1),@TABLE+2      two operands, indexed",
        "       A    *R2+,R3",
        "       JNE  $-4",
        "       COC  @MASK,R4",
        "       LDCR *R5,8",
        "       SRL  R6,4",
        "       BL   @SUB",
        "       RTWP",
        "       LI   R7,>1234",
        "       LWPI WS",
        "       STST R8",
        "       XOP  @TABLE,3",
        "       DATA 1,>FFFF,TABLE,'AB'",
        "       BYTE 1,2,3",
        "       TEXT 'HELLO'",
        "* a comment line",
        "       SB   R1,@BUF(R2)",
        "       SBO  12",
        "       CLR  @BUF",
        "       INCT R9",
    };
    constexpr int kBodySize = sizeof kBody / sizeof kBody[0];
    out << "       IDT  'BENCH'\n       DEF  TABLE\nWS     BSS  32\nTABLE  DATA 0,1,2,3\nMASK   DATA >F0F0\n"
           "BUF    BSS  16\nSUB    RT\n";
    int written = 7;
    int label = 0;
    for (int i = 0; written < kLines - 1; ++i, ++written) {
        if (i % 96 == 0 && label < kLabels) {
            out << "L" << label++ << "     AORG\n";
            ++written;
            out << "       RORG\n";
            continue;
        }
        out << kBody[i % kBodySize] << '\n';
    }
    out << "       END\n";
}

long peak_memory_kb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/bench_tarn-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path dir = pattern;
    platform::set_program_path((dir / "tarn").string());
    const fs::path source = dir / "bench.a99";
    generate(source);

    std::vector<double> rates;
    int code = 0;
    for (int run = 0; run < 5; ++run) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        auto start = std::chrono::steady_clock::now();
        code = run_tarn({"-I" + source.string(), "-L", "-R"}, con);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rates.push_back(kLines / seconds);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("tarn: %d lines with list file, exit code %d\n", kLines, code);
    std::printf("tarn: best %.0f lines/s, median %.0f lines/s (target 1000000)\n", rates.back(), rates[rates.size() / 2]);
    std::printf("tarn: peak memory %.1f MB (limit 32 MB)\n", peak_memory_kb() / 1024.0);
    std::printf("tarn: object %.1f MB, list %.1f MB\n", fs::file_size(dir / "bench.obj") / 1048576.0,
                fs::file_size(dir / "bench.lst") / 1048576.0);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
