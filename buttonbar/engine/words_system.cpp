// Variables, processes, boxes, pauses, sounds and settings.
#include <chrono>
#include <thread>

#include "ini_reader.hpp"
#include "platform/environment.hpp"
#include "platform/file_ops.hpp"
#include "platform/paths.hpp"
#include "platform/process.hpp"
#include "platform/profile.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok {

bool assign_variable(Dok& dok, std::string_view name, std::string_view value, bool allow_inifile) {
    if (name.empty()) {
        report_error(dok, kErrVariable);
        return false;
    }
    if (allow_inifile && platform::equals_ignore_case(name, "inifile")) {
        dok.settings_path = std::string(value.substr(0, kSettingsPathSize));
        return true;
    }
    Variable* v = dok.variables.find(name);
    bool ok = v != nullptr;
    if (v) {
        switch (v->kind) {
            case VarKind::String: v->text = std::string(value.substr(0, v->size)); break;
            case VarKind::Integer: v->number = atoi32(value); break;
            case VarKind::Environment:
                if (!platform::set_environment(v->name, value)) {
                    report_error(dok, kErrEnvironment);
                    ok = false;
                }
                break;
            case VarKind::Argument:
                report_error(dok, kErrBadArgument);
                ok = false;
                break;
        }
    }
    if (!ok) report_error(dok, kErrVariable);
    return ok;
}

namespace words {
namespace {

constexpr size_t kCommandLineSize = 511;

bool start_program(Dok& dok, Scan& s) {
    std::string line;
    if (!text_argument(dok, s, line, kCommandLineSize) || !close_command(dok, s)) {
        dok.wait_request = false;
        return false;
    }
    bool wait = dok.wait_request;
    dok.wait_request = false;
    std::string program = line.substr(0, line.find_first_of(" \t"));
    platform::PathParts parts = platform::split_path(program);
    std::string dir = parts.drive + parts.directory;
    platform::Process process;
    int error = dok.opt.allow_processes ? process.start(line, dir, dok.show_mode) : platform::kErrorFileNotFound;
    if (error != 0) {
        report_error(dok, error);
        return false;
    }
    if (!wait) return true;
    dok.waiting_for_child = true;
    for (;;) {
        dok.ui.pump_messages();
        int code = dok.errorlevel;  // kept when the exit code cannot be read
        if (process.finished(code)) {
            dok.errorlevel = code;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    dok.waiting_for_child = false;
    return true;
}

}  // namespace

bool w_set(Dok& dok, Scan& s, Output&) {
    std::string name, value;
    if (!command_args(dok, s, name, value)) return false;
    return assign_variable(dok, name, value, true);
}

bool w_callshow(Dok& dok, Scan& s, Output&) {
    uint32_t mode = 0;
    if (!number_argument(dok, s, mode) || !close_command(dok, s)) return false;
    if (mode > 3) {
        report_error(dok, kErrControl);
        return false;
    }
    dok.show_mode = static_cast<int>(mode);
    return true;
}

bool w_call(Dok& dok, Scan& s, Output&) { return start_program(dok, s); }

bool w_callwait(Dok& dok, Scan& s, Output&) {
    dok.wait_request = true;
    return start_program(dok, s);
}

bool w_echo(Dok& dok, Scan& s, Output&) {
    std::string text, target;
    if (!text_argument(dok, s, text)) return false;
    skip_separators(s);
    bool has_target = !s.at_end() && s.peek() != ')';
    if (has_target && !text_argument(dok, s, target)) return false;
    if (!close_command(dok, s)) return false;
    if (!has_target) {
        dok.ui.message_box("Dok", text, BoxButtons::Ok, BoxIcon::Information, true);
        return true;
    }
    bool append = true;
    std::string_view name = target;
    if (name.substr(0, 2) == ">>") {
        name.remove_prefix(2);
    } else if (name.substr(0, 1) == ">") {
        name.remove_prefix(1);
        append = false;
    }
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    if (name.empty() || !platform::write_text(dok.file_path(name), text, append)) {
        report_error(dok, kErrFile);
        return false;
    }
    return true;
}

bool w_messagebox(Dok& dok, Scan& s, Output&) {
    std::string text, title, buttons, icon;
    if (!text_argument(dok, s, text) || !require_comma(dok, s) || !text_argument(dok, s, title) ||
        !require_comma(dok, s) || !text_argument(dok, s, buttons) || !require_comma(dok, s) ||
        !text_argument(dok, s, icon) || !close_command(dok, s))
        return false;
    BoxIcon box_icon;
    switch (icon.empty() ? '\0' : icon[0]) {
        case '!': box_icon = BoxIcon::Exclamation; break;
        case '?': box_icon = BoxIcon::Question; break;
        case 'i':
        case 'I': box_icon = BoxIcon::Information; break;
        case 's':
        case 'S': box_icon = BoxIcon::Stop; break;
        default: report_error(dok, kErrBadArgument); return false;
    }
    static const std::pair<std::string_view, BoxButtons> kSets[] = {
        {"OK", BoxButtons::Ok}, {"YESNO", BoxButtons::YesNo}, {"OKCANCEL", BoxButtons::OkCancel},
        {"YESNOCANCEL", BoxButtons::YesNoCancel}, {"RETRYCANCEL", BoxButtons::RetryCancel},
        {"ABORTRETRYIGNORE", BoxButtons::AbortRetryIgnore}};
    const BoxButtons* set = nullptr;
    for (const auto& [name, b] : kSets)
        if (platform::equals_ignore_case(name, buttons)) set = &b;
    if (!set) {
        report_error(dok, kErrBadArgument);
        return false;
    }
    int answer = dok.ui.message_box(title, text, *set, box_icon, true);
    dok.keycode = answer >= kIdOk && answer <= kIdNo ? answer : 0;
    return true;
}

bool w_sleep(Dok& dok, Scan& s, Output&) {
    uint32_t ms = 0;
    if (!number_argument(dok, s, ms) || !close_command(dok, s)) return false;
    if (ms > 0 && dok.opt.real_sleep) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
}

bool w_playwave(Dok& dok, Scan& s, Output&) {
    std::string file;
    if (!command_args(dok, s, file)) return false;
    dok.ui.play_wave(dok.file_path(file));
    return true;
}

bool w_savesetting(Dok& dok, Scan& s, Output&) {
    std::string key, value;
    if (!command_args(dok, s, key, value)) return false;
    if (dok.settings_path.empty()) {
        report_error(dok, kErrNoSettings);
        return false;
    }
    if (key.empty()) {
        report_error(dok, kErrBadArgument);
        return false;
    }
    // A key or value that would break the file's line structure is refused.
    bool breaks_lines = key.find_first_of("=\r\n") != std::string::npos || key.front() == '[' ||
                        key.front() == ';' || value.find_first_of("\r\n") != std::string::npos;
    if (breaks_lines) {
        report_error(dok, kErrBadArgument);
        return false;
    }
    if (!platform::write_private_profile_string("settings", key, value, dok.file_path(dok.settings_path))) {
        report_error(dok, kErrNoSettings);
        return false;
    }
    return true;
}

bool w_delsettings(Dok& dok, Scan&, Output&) {
    if (dok.settings_path.empty() ||
        !platform::write_private_profile_section("settings", {}, dok.file_path(dok.settings_path))) {
        report_error(dok, kErrNoSettings);
        return false;
    }
    return true;
}

}  // namespace words
}  // namespace dok
