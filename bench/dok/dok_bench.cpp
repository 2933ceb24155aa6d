// Start-up with a full layout, and routine execution, measured in-process.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless/run.hpp"

namespace fs = std::filesystem;

namespace {

std::string full_layout() {
    std::string ini = "[layout]\nwindow=[Bench] 1 1 300 300\n";
    const char* kinds[] = {"static", "edit", "button", "radio", "check"};
    for (const char* k : kinds)
        for (int n = 1; n <= 30; ++n) {
            char line[128];
            std::snprintf(line, sizeof line, "%s%02d=[%s%d] [text] 1 1 10 10 [r] [A]\n", k, n, k, n);
            ini += line;
        }
    ini += "[variables]\n";
    for (int n = 1; n <= 40; ++n) ini += "str" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=[s" +
                                         std::to_string(n) + "] 20\n";
    ini += "[onload]\n#exit\n";
    return ini;
}

std::string loop_routine(int rounds) {
    return "[layout]\nwindow=[Loop] 1 1 1 1\n[variables]\nint01=[i]\nstr01=[s] 100\n[onload]\n:top\n"
           "#set(i,#add(%i%,1))\n#set(s,#seg(abcdefghij,#mod(%i%,10),3)#toupper(%s%))\n"
           "#if(%i%,==," + std::to_string(rounds) + ")#exit\n#goto(top)\n";
}

double run_ms(const fs::path& dir, const std::string& ini, int repeat) {
    std::ofstream(dir / "b.ini", std::ios::binary) << ini;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        dok::DokOptions options;
        options.single_instance = false;
        dok::run_headless({"b.ini"}, con, options);
    }
    std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
    return d.count() / repeat;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/dokbench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    fs::path dir = pattern;
    fs::path old = fs::current_path();
    fs::current_path(dir);
    for (int round = 0; round < 3; ++round) {
        std::printf("start-up, 150 controls and 40 variables: %.2f ms\n", run_ms(dir, full_layout(), 20));
        std::printf("2000 rounds of a 4-line loop (8000 lines): %.2f ms\n", run_ms(dir, loop_routine(2000), 1));
    }
    fs::current_path(old);
    fs::remove_all(dir);
    return 0;
}
