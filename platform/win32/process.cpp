#include "process.hpp"

#include <vector>

#include "paths.hpp"
#include "support.hpp"

namespace platform {
namespace {

HANDLE inheritable(HANDLE h) {
    if (h && h != INVALID_HANDLE_VALUE) SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return h;
}

DWORD attributes_of(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

std::string find_program(std::string_view name) {
    if (name.empty()) return {};
    PathParts parts = split_path(name);
    if (parts.flags & (kHasDrive | kHasDirectory)) {
        std::string p = resolve_path(name);
        if (attributes_of(p) != INVALID_FILE_ATTRIBUTES) return p;
        return attributes_of(p + ".exe") != INVALID_FILE_ATTRIBUTES ? p + ".exe" : std::string();
    }
    std::vector<char> buf(32768);
    DWORD n = SearchPathA(nullptr, std::string(name).c_str(), ".exe", static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    return n == 0 || n >= buf.size() ? std::string() : std::string(buf.data(), n);
}

Process::~Process() { detach(); }

bool Process::started() const { return handle_ != nullptr; }

Process::Process(Process&& other) noexcept
    : handle_(other.handle_), done_(other.done_), lost_(other.lost_), code_(other.code_) {
    other.handle_ = nullptr;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        detach();
        handle_ = other.handle_;
        done_ = other.done_;
        lost_ = other.lost_;
        code_ = other.code_;
        other.handle_ = nullptr;
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
    if (attributes_of(program) & FILE_ATTRIBUTE_DIRECTORY) return kErrorAccessDenied;
    std::string dir;
    if (!working_dir.empty()) {
        dir = resolve_path(working_dir);
        DWORD a = attributes_of(dir);
        if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return kErrorDirectory;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE null_input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    if (show_mode >= 0) {
        si.dwFlags |= STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(show_mode);
    }
    si.hStdInput = null_input;
    si.hStdOutput = inheritable(GetStdHandle(STD_OUTPUT_HANDLE));
    si.hStdError = inheritable(GetStdHandle(STD_ERROR_HANDLE));
    PROCESS_INFORMATION pi{};
    std::string line(command_line);
    BOOL ok = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             dir.empty() ? nullptr : dir.c_str(), &si, &pi);
    DWORD error = ok ? 0 : GetLastError();
    if (null_input != INVALID_HANDLE_VALUE) CloseHandle(null_input);
    if (!ok) return error == 0 ? kErrorAccessDenied : static_cast<int>(error);
    CloseHandle(pi.hThread);
    handle_ = pi.hProcess;
    return 0;
}

bool Process::finished(int& exit_code) {
    if (done_) {
        if (!lost_) exit_code = code_;
        return true;
    }
    if (!handle_ || WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    done_ = true;
    lost_ = !GetExitCodeProcess(handle_, &code);
    code_ = lost_ ? 0 : static_cast<int>(code);
    CloseHandle(handle_);
    handle_ = nullptr;
    if (!lost_) exit_code = code_;
    return true;
}

int Process::wait() {
    if (!done_ && handle_) {
        WaitForSingleObject(handle_, INFINITE);
        int code = 0;
        finished(code);
    }
    return code_;
}

void Process::detach() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

// A process handle that is closed lets the program run on; nothing to reap.
void reap_detached() {}

}  // namespace platform
