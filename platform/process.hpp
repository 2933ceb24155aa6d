// Starting programs from a Windows-style command line and waiting for them.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Windows error codes that start_process reports.
enum ProcessError : int {
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorAccessDenied = 5,
    kErrorNotEnoughMemory = 8,
    kErrorBadFormat = 193,
    kErrorDirectory = 267,
};

// Splits a command line into arguments by the Windows rules: blanks and tabs
// separate, double quotes group, 2n backslashes before a quote give n
// backslashes and a quote mark that groups, 2n+1 give n and a literal quote,
// other backslashes are literal, and "" inside quotes is a literal quote.
std::vector<std::string> split_command_line(std::string_view line);

// Host path of the program to start: a name with a drive or directory is
// resolved as a path (ignoring case); a bare name is looked up on PATH. A
// name ending in ".exe" that is not found is tried without it. Empty when
// not found.
std::string find_program(std::string_view name);

// A started program.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts the command line with working_dir as its current directory
    // (inherited when empty). Standard input is /dev/null (NUL); output streams
    // are inherited. show_mode, when not -1, is the Windows show command for
    // the program's window; on Linux 0 (hidden) sends its output to /dev/null
    // and the other modes change nothing. Returns 0 or a Windows error code.
    int start(std::string_view command_line, std::string_view working_dir, int show_mode = -1);

    bool started() const;

    // True once the program has ended; exit_code then holds its exit status
    // (on Linux 128 + signal number when it was killed). When the status cannot be
    // read (the program was reaped elsewhere) it is true and exit_code is
    // left alone.
    bool finished(int& exit_code);

    // Waits for the end.
    int wait();

    // Stops watching: the program runs on and is reaped when it ends.
    void detach();

private:
#ifdef _WIN32
    void* handle_ = nullptr;  // the process handle
#else
    pid_t pid_ = -1;
#endif
    bool done_ = false;
    bool lost_ = false;  // ended, but its status could not be read
    int code_ = 0;
};

// Reaps detached programs that have ended.
void reap_detached();

}  // namespace platform
