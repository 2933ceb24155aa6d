// engine/: dok without a window system. Start-up, the INI reader, the
// interpreter and its words, value functions, formats, the tables and the
// event dispatch; ui.hpp is the window as the engine sees it, which every
// window implements. Includes the standard library, platform/ and engine/
// only: no window folder, no toolkit, X11 or Windows header.
//
// The state of one run of the button bar. Every part of the engine works on
// one Dok record; nothing lives in globals, so runs in one process start
// clean.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console.hpp"
#include "platform/process.hpp"
#include "platform/text_file.hpp"
#include "tables.hpp"
#include "ui.hpp"

namespace dok {

struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int weekday = 4;  // 0 = Sunday
};

// Ways to run the engine other than as the program itself (tests, fuzzing).
struct DokOptions {
    std::string instance_dir;         // single-instance files; empty: per user
    bool single_instance = true;
    std::string sandbox;              // when set, file words stay inside this folder
    bool allow_processes = true;      // false: program starts fail with error 2
    bool real_sleep = true;
    int64_t max_lines = 0;            // lines one routine run may execute; 0: no bound
    int64_t max_words = 0;            // words one routine run may call; 0: no bound
    std::function<LocalTime()> clock; // null: the local time
};

struct RoutineFrame {
    int32_t line_count = 0;
    int32_t event_code = 0;
    int32_t current_line = 0;
    int32_t next_line = 0;
    std::string name;       // cut to 15 characters, for messages
    std::string full_name;  // for loading the section again after a return
};

struct DialogSettings {
    std::string title;
    std::string filter = std::string("All files (*.*)\0*.*\0\0", 22);
    std::string initial_dir;
    std::string default_ext;
    uint32_t flags = 0;
};

constexpr size_t kArgSize = 254;     // characters of an argument or a result
constexpr size_t kLineSize = 511;    // characters of a line's output
constexpr size_t kSettingsPathSize = 298;
constexpr int kMaxDepth = 4;
constexpr size_t kMaxLines = 100;
constexpr size_t kRoutineBytes = 8192;
constexpr int kMaxNesting = 40;       // nested expansions (arguments, function()

struct Dok {
    Dok(platform::Console& c, Ui& u, const DokOptions& o) : con(c), ui(u), opt(o) {}
    Dok(const Dok&) = delete;
    Dok& operator=(const Dok&) = delete;

    platform::Console& con;
    Ui& ui;
    const DokOptions& opt;

    // Start-up state.
    std::vector<std::string> words;  // command-line words, word 0 included
    std::string ini_path;
    std::string settings_path;
    std::string language_path;
    std::string instance_key;
    WindowLayout window;
    StringPool pool;
    ControlTable controls;
    VariableTable variables;
    bool window_created = false;

    // Interpreter.
    std::array<RoutineFrame, kMaxDepth + 1> frames;
    int depth = 0;
    std::vector<std::string> lines;  // the loaded routine
    bool routine_running = false, skip_rest = false, stop_routine = false, exit_after_routine = false,
         negate_next = false;
    int32_t errorlevel = 0;
    int32_t lastkey = 0;
    std::string object;
    int keycode = 0;
    std::string current_position;
    int nesting = 0;
    int64_t lines_run = 0;
    int64_t words_run = 0;
    int event_control = -1;  // control whose notification started the routine

    // Value-function state.
    std::string tokenizer_text;
    size_t tokenizer_pos = 0;
    std::array<std::unique_ptr<platform::TextReader>, 5> open_files;
    int files_opened = 0;

    // Processes and dialogs.
    int show_mode = -1;
    bool waiting_for_child = false;
    bool wait_request = false;
    DialogSettings dialog;

    RoutineFrame& frame() { return frames[depth]; }

    // Path to use for a file named by a script: the name itself, or its
    // place inside the sandbox.
    std::string file_path(std::string_view name) const;
    LocalTime now() const;
};

}  // namespace dok
