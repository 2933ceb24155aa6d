// Loads an arbitrary INI file, language module and event list, and runs them
// headless with file words confined to a sandbox folder and program starts
// switched off. Input: INI text, "@@@@\n", module text, "@@@@\n", events.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dok.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path& sandbox() {
    static const fs::path dir = [] {
        char pattern[] = "/tmp/dokfuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) std::abort();
        return fs::path(made);
    }();
    return dir;
}

void write(const fs::path& p, std::string_view data) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string_view next_part(std::string_view& rest) {
    size_t sep = rest.find("@@@@\n");
    std::string_view part = rest.substr(0, sep);
    rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 5);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& dir = sandbox();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) fs::remove_all(e.path(), ec);
    // Run inside the sandbox, and give libFuzzer its own directory back.
    int old_cwd = open(".", O_RDONLY | O_CLOEXEC);
    if (old_cwd < 0 || chdir(dir.c_str()) != 0) {
        if (old_cwd >= 0) close(old_cwd);
        return 0;
    }

    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view ini = next_part(rest);
    std::string_view module = next_part(rest);
    std::string_view events = rest;
    write(dir / "fuzz.ini", ini);
    write(dir / "dok_nl.def", module);

    std::istringstream in{std::string(events)};
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    dok::DokOptions options;
    options.sandbox = dir.string();
    options.allow_processes = false;
    options.real_sleep = false;
    options.single_instance = false;
    options.max_lines = 2000;
    options.max_words = 20000;
    options.clock = [] { return dok::LocalTime{2026, 1, 4, 12, 0, 0, 0}; };
    dok::run_dok({"fuzz.ini", "one", "two"}, con, options);
    if (fchdir(old_cwd) != 0) std::abort();
    close(old_cwd);
    return 0;
}
