// Replaces a 3-character string in a 100 MB text file in place with morfex,
// and in the same run with sd and sed -i on the same file and a plain copy
// of it with cp, when those are installed. Every tool runs in several
// interleaved rounds, turning the string back and forth; the medians count,
// and their ratios to morfex are printed.
//
// The run is made in the temporary folder and, when there is one, again on
// the memory file system /dev/shm. morfex writes the new file to the disk
// before it replaces the old one, which sd, sed and cp do not: on a memory
// file system that costs nothing, so there the ratios compare the work alone.
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
constexpr int kRounds = 5;

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

bool installed(const char* program) {
    for (const char* dir : {"/usr/bin", "/bin", "/usr/local/bin"})
        if (access((fs::path(dir) / program).c_str(), X_OK) == 0) return true;
    return false;
}

// Runs the command with its output discarded; seconds taken, or -1 when it
// could not run or ended with another exit code.
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

// One tool: the commands that turn "abc" into "xyz" and back.
struct Tool {
    std::string name;
    std::vector<std::string> forth, back;
    std::vector<double> seconds;
};

std::vector<Tool> tools_for(const fs::path& file) {
    const std::string f = file.string();
    std::vector<Tool> tools;
    tools.push_back({"morfex", {MORFEX_EXE, "-q", "-i", f, "-f", "abc", "-r", "xyz"},
                     {MORFEX_EXE, "-q", "-i", f, "-f", "xyz", "-r", "abc"}, {}});
    if (installed("sd")) tools.push_back({"sd", {"sd", "-s", "abc", "xyz", f}, {"sd", "-s", "xyz", "abc", f}, {}});
    if (installed("sed"))
        tools.push_back({"sed -i", {"sed", "-i", "s/abc/xyz/g", f}, {"sed", "-i", "s/xyz/abc/g", f}, {}});
    const std::string copy = (file.parent_path() / "copy.txt").string();
    tools.push_back({"cp", {"cp", f, copy}, {"cp", f, copy}, {}});
    return tools;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The rounds in one folder; false when a run failed.
bool run_in(const fs::path& folder, const char* label) {
    const fs::path dir = folder / ("morfex-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "big.txt";
    make_file(file);
    std::vector<Tool> tools = tools_for(file);
    bool ok = true;
    for (int round = 0; round < kRounds && ok; ++round)
        for (Tool& t : tools)
            for (const auto* args : {&t.forth, &t.back}) {
                double s = timed(*args, 0);
                ok = ok && s >= 0;
                t.seconds.push_back(s);
            }
    double load[1] = {0};
    getloadavg(load, 1);
    fs::remove_all(dir);
    std::printf("%s (%s), %.0f MB, in place, median of %d runs each, load average %.1f:\n", label,
                folder.string().c_str(), kFileSize / 1048576.0, 2 * kRounds, load[0]);
    if (!ok) {
        std::printf("  a run failed\n");
        return false;
    }
    const double morfex = median(tools[0].seconds);
    for (const Tool& t : tools) {
        const double m = median(t.seconds);
        std::printf("  %-7s %.3f s", t.name.c_str(), m);
        if (&t != &tools[0]) std::printf("   morfex/%s %.2f", t.name.c_str(), morfex / m);
        std::printf("\n");
    }
    return true;
}

}  // namespace

int main() {
    const char* tmp = std::getenv("TMPDIR");
    bool ok = run_in(tmp && *tmp ? tmp : "/tmp", "temporary folder");
    if (fs::is_directory("/dev/shm")) ok = run_in("/dev/shm", "memory file system") && ok;
    std::printf("targets: morfex/sd at most 0.50, morfex/cp at most 3.00\n");
    return ok ? 0 : 1;
}
