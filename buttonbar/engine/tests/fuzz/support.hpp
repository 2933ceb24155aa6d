// What the dok fuzz targets share: a sandbox folder for the files a run
// reads and writes, the engine's options for fuzzing, and the process state
// a run may change put back before the next one.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"

extern char** environ;

namespace dok_fuzz {

namespace fs = std::filesystem;

// Output that nobody reads.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The sandbox: made once per process, in memory (tmpfs) when the machine
// has one, and removed at exit.
inline std::string make_sandbox() {
    struct stat st;
    std::string dir = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0
                          ? "/dev/shm/dokfuzz-XXXXXX"
                          : "/tmp/dokfuzz-XXXXXX";
    if (!mkdtemp(dir.data())) std::abort();
    return dir;
}

inline const std::string& sandbox() {
    static const std::string dir = make_sandbox();
    static const bool removed_at_exit = std::atexit([] {
        std::error_code ec;
        fs::remove_all(sandbox(), ec);
    }) == 0;
    static_cast<void>(removed_at_exit);
    return dir;
}

// Removes what the previous run left in the sandbox, except the regular
// files whose names kept(name) accepts.
template <class Kept>
void remove_all_but(Kept kept) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(sandbox(), ec))
        if (!(kept(e.path().filename().string()) && e.is_regular_file(ec))) fs::remove_all(e.path(), ec);
}

inline void clear_sandbox(std::initializer_list<std::string_view> keep) {
    remove_all_but([&](const std::string& name) { return std::find(keep.begin(), keep.end(), name) != keep.end(); });
}

inline void write_file(std::string_view name, std::string_view data) {
    std::ofstream out(sandbox() + "/" + std::string(name), std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

// Fixed files a run starts from, alone in the sandbox; a file is written
// again only when its inode, size or status change time shows that a run
// replaced or changed it.
class FixedFiles {
public:
    explicit FixedFiles(std::initializer_list<std::pair<std::string_view, std::string_view>> files)
        : files_(files.begin(), files.end()), written_(files.size()) {}

    void restore() {
        remove_all_but([&](const std::string& name) {
            return std::any_of(files_.begin(), files_.end(), [&](const auto& f) { return f.first == name; });
        });
        for (size_t i = 0; i < files_.size(); ++i) {
            std::string path = sandbox() + "/" + std::string(files_[i].first);
            struct stat st;
            if (stat(path.c_str(), &st) == 0 && same(st, written_[i])) continue;
            write_file(files_[i].first, files_[i].second);
            if (stat(path.c_str(), &written_[i]) != 0) std::abort();
        }
    }

private:
    static bool same(const struct stat& a, const struct stat& b) {
        return a.st_ino == b.st_ino && a.st_size == b.st_size && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
               a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
    }

    std::vector<std::pair<std::string_view, std::string_view>> files_;
    std::vector<struct stat> written_;
};

// File words stay in the sandbox; no program starts, no sleeping, a fixed
// clock, no single-instance files. A routine run is cut off after a few
// passes through a full routine: later passes cover nothing new.
inline dok::DokOptions options() {
    dok::DokOptions o;
    o.sandbox = sandbox();
    o.allow_processes = false;
    o.real_sleep = false;
    o.single_instance = false;
    o.max_lines = 100;
    o.max_words = 600;
    o.clock = [] { return dok::LocalTime{2026, 1, 4, 12, 0, 0, 0}; };
    return o;
}

// The working directory is the sandbox while the object lives; libFuzzer
// gets its own back for the files it writes.
class InSandbox {
public:
    InSandbox() : old_(open(".", O_RDONLY | O_CLOEXEC)) {
        if (old_ < 0 || chdir(sandbox().c_str()) != 0) std::abort();
    }
    ~InSandbox() {
        if (fchdir(old_) != 0) std::abort();
        close(old_);
    }
    InSandbox(const InSandbox&) = delete;
    InSandbox& operator=(const InSandbox&) = delete;

private:
    int old_;
};

// The environment as the process started; scripts set variables.
class Environment {
public:
    Environment() {
        for (char** e = environ; *e; ++e) entries_.emplace_back(*e);
        remember();
    }
    // Puts the variables back when a run changed any.
    void restore() {
        size_t n = 0;
        for (char** e = environ; *e; ++e, ++n)
            if (n >= seen_.size() || seen_[n] != *e) return reset();
        if (n != seen_.size()) reset();
    }

private:
    void reset() {
        clearenv();
        for (const std::string& entry : entries_) {
            size_t eq = entry.find('=');
            if (eq != std::string::npos) setenv(entry.substr(0, eq).c_str(), entry.c_str() + eq + 1, 1);
        }
        remember();
    }
    void remember() {
        seen_.clear();
        for (char** e = environ; *e; ++e) seen_.push_back(*e);
    }
    std::vector<std::string> entries_;
    std::vector<const char*> seen_;
};

}  // namespace dok_fuzz
