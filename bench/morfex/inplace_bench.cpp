// Replaces a 3-character string in a 100 MB text file in place, with morfex
// and with sed -i on the same file in the same run, and prints both times and
// their ratio. Each tool runs several times, alternating, turning the string
// back and forth; the best time of each counts.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr size_t kFileSize = 100u << 20;
constexpr int kRounds = 3;

void make_file(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    std::string block;
    for (int i = 0; block.size() < (1u << 20); ++i) {
        block += "Line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog";
        block += i % 4 == 0 ? " abc and more abc\r\n" : " and nothing else\r\n";
    }
    for (size_t written = 0; written < kFileSize; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// Runs the command with its output discarded; seconds taken, or -1 on failure.
double timed(const std::vector<std::string>& args, int ok_code) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto start = std::chrono::steady_clock::now();
    pid_t pid;
    int status = 0;
    bool ok = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
              waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == ok_code;
    auto stop = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return ok ? std::chrono::duration<double>(stop - start).count() : -1;
}

}  // namespace

int main() {
    const char* tmp = std::getenv("TMPDIR");
    fs::path dir = fs::path(tmp && *tmp ? tmp : "/tmp") / ("morfex-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path file = dir / "big.txt";
    make_file(file);
    std::printf("file: %.0f MB, 3-character string, in place\n", fs::file_size(file) / 1048576.0);

    double best_morfex = 1e9, best_sed = 1e9;
    bool failed = false;
    for (int round = 0; round < kRounds && !failed; ++round) {
        double m = timed({MORFEX_EXE, "-q", "-i", file.string(), "-f", "abc", "-r", "xyz"}, 0);
        double s = timed({"sed", "-i", "s/xyz/abc/g", file.string()}, 0);
        std::printf("round %d: morfex %.3f s, sed -i %.3f s\n", round + 1, m, s);
        failed = m < 0 || s < 0;
        best_morfex = std::min(best_morfex, m);
        best_sed = std::min(best_sed, s);
    }
    fs::remove_all(dir);
    if (failed) {
        std::printf("a run failed\n");
        return 1;
    }
    std::printf("best: morfex %.3f s, sed -i %.3f s, ratio morfex/sed %.2f\n", best_morfex, best_sed,
                best_morfex / best_sed);
    return 0;
}
