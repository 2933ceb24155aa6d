#include "process.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "paths.hpp"

extern char** environ;

namespace platform {
namespace {

bool executable_file(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string lookup(std::string_view name) {
    if (name.empty()) return {};
    PathParts parts = split_path(name);
    if (parts.flags & (kHasDrive | kHasDirectory)) {
        std::string p = resolve_path(name);
        if (!p.empty() && p[0] != '/') p.insert(0, current_directory() + '/');  // the child may change directory
        struct stat st;
        return stat(p.c_str(), &st) == 0 ? p : std::string();
    }
    const char* env = std::getenv("PATH");
    std::string_view path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        size_t colon = path.find(':');
        std::string_view dir = path.substr(0, colon);
        if (dir.empty()) dir = ".";
        std::string candidate(dir);
        candidate += '/';
        candidate += name;
        if (executable_file(candidate)) return candidate;
        if (colon == std::string_view::npos) break;
        path.remove_prefix(colon + 1);
    }
    return {};
}

int error_from_errno(int e) {
    switch (e) {
        case ENOENT: return kErrorFileNotFound;
        case ENOTDIR: return kErrorPathNotFound;
        case EACCES:
        case EPERM: return kErrorAccessDenied;
        case ENOEXEC: return kErrorBadFormat;
        case ENOMEM:
        case EAGAIN: return kErrorNotEnoughMemory;
        default: return kErrorAccessDenied;
    }
}

int decode_status(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 0;
}

std::vector<pid_t>& detached() {
    static std::vector<pid_t> pids;
    return pids;
}

}  // namespace

std::string find_program(std::string_view name) {
    std::string found = lookup(name);
    if (found.empty() && name.size() > 4 && equals_ignore_case(name.substr(name.size() - 4), ".exe"))
        found = lookup(name.substr(0, name.size() - 4));
    return found;
}

Process::~Process() { detach(); }

bool Process::started() const { return pid_ > 0; }

Process::Process(Process&& other) noexcept
    : pid_(other.pid_), done_(other.done_), lost_(other.lost_), code_(other.code_) {
    other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        detach();
        pid_ = other.pid_;
        done_ = other.done_;
        lost_ = other.lost_;
        code_ = other.code_;
        other.pid_ = -1;
    }
    return *this;
}

int Process::start(std::string_view command_line, std::string_view working_dir, int show_mode) {
    detach();
    done_ = lost_ = false;
    std::vector<std::string> args = split_command_line(command_line);
    if (args.empty()) return kErrorFileNotFound;
    std::string program = find_program(args[0]);
    if (program.empty()) return kErrorFileNotFound;
    struct stat st;
    if (stat(program.c_str(), &st) != 0) return kErrorFileNotFound;
    if (S_ISDIR(st.st_mode)) return kErrorAccessDenied;
    std::string dir;
    if (!working_dir.empty()) {
        dir = resolve_path(working_dir);
        struct stat ds;
        if (stat(dir.c_str(), &ds) != 0 || !S_ISDIR(ds.st_mode)) return kErrorDirectory;
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (show_mode == 0) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return error_from_errno(rc);
    pid_ = pid;
    return 0;
}

bool Process::finished(int& exit_code) {
    if (done_) {
        if (!lost_) exit_code = code_;
        return true;
    }
    if (pid_ <= 0) return false;
    int status = 0;
    pid_t r;
    do r = waitpid(pid_, &status, WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == 0) return false;
    done_ = true;
    lost_ = r != pid_;
    code_ = lost_ ? 0 : decode_status(status);
    pid_ = -1;
    if (!lost_) exit_code = code_;
    return true;
}

int Process::wait() {
    if (!done_ && pid_ > 0) {
        int status = 0;
        pid_t r;
        do r = waitpid(pid_, &status, 0);
        while (r < 0 && errno == EINTR);
        done_ = true;
        code_ = r == pid_ ? decode_status(status) : 0;
        pid_ = -1;
    }
    return code_;
}

void Process::detach() {
    if (pid_ > 0 && !done_) detached().push_back(pid_);
    pid_ = -1;
    reap_detached();
}

void reap_detached() {
    auto& pids = detached();
    std::erase_if(pids, [](pid_t p) {
        int status;
        return waitpid(p, &status, WNOHANG) != 0;
    });
}

}  // namespace platform
