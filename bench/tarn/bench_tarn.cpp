// Assembles a generated source of 200,000 lines with a list file, several
// times, and prints the median rate in lines per second (by the clock and by
// the processor time used), the best rate and the peak memory, against the
// targets of 2.5 million lines per second and 16 MB.
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
constexpr int kRuns = 9;
constexpr double kTargetRate = 2.5e6;
constexpr double kMemoryLimitMb = 16;

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

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double peak_memory_mb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    char pattern[] = "/tmp/bench_tarn-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path dir = pattern;
    platform::set_program_path((dir / "tarn").string());
    const fs::path source = dir / "bench.a99";
    generate(source);

    std::vector<double> wall, cpu;
    int code = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        const double cpu_start = cpu_seconds();
        const auto start = std::chrono::steady_clock::now();
        code = run_tarn({"-I" + source.string(), "-L", "-R"}, con);
        wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(cpu_seconds() - cpu_start);
    }
    const double rate = kLines / median(wall);
    double load[1] = {0};
    getloadavg(load, 1);
    std::printf("tarn: %d lines with list file, exit code %d, %d runs, load average %.1f\n", kLines, code, kRuns,
                load[0]);
    std::printf("tarn: median %.3f s, %.2f M lines/s (target %.1f M, %.2f times the target)\n", median(wall),
                rate / 1e6, kTargetRate / 1e6, rate / kTargetRate);
    std::printf("tarn: best %.3f s, %.2f M lines/s; median processor time %.3f s, %.2f M lines/s\n",
                *std::min_element(wall.begin(), wall.end()), kLines / *std::min_element(wall.begin(), wall.end()) / 1e6,
                median(cpu), kLines / median(cpu) / 1e6);
    std::printf("tarn: peak memory %.1f MB (limit %.0f MB)\n", peak_memory_mb(), kMemoryLimitMb);
    std::printf("tarn: object %.1f MB, list %.1f MB\n", fs::file_size(dir / "bench.obj") / 1048576.0,
                fs::file_size(dir / "bench.lst") / 1048576.0);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
