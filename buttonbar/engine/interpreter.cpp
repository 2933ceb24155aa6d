#include "interpreter.hpp"

#include "language.hpp"
#include "platform/paths.hpp"
#include "platform/profile.hpp"
#include "safe_format.hpp"

namespace dok {
namespace {

std::string cut_name(std::string_view name) { return std::string(name.substr(0, 15)); }

void start_frame(RoutineFrame& f, std::string_view name) {
    f = RoutineFrame{};
    f.name = cut_name(name);
    f.full_name = std::string(name);
}

void execute(Dok& dok) {
    if (dok.stop_routine) return;
    while (!dok.stop_routine && dok.frame().current_line < dok.frame().line_count) {
        RoutineFrame& f = dok.frame();
        dok.negate_next = false;
        dok.skip_rest = false;
        if (f.current_line < 0 || static_cast<size_t>(f.current_line) >= dok.lines.size()) break;
        const std::string line = dok.lines[static_cast<size_t>(f.current_line)];
        if (!line.empty() && (line[0] == ':' || line[0] == ';')) {
            ++f.current_line;
            continue;
        }
        if (dok.opt.max_lines > 0 && ++dok.lines_run > dok.opt.max_lines) {
            dok.stop_routine = true;
            break;
        }
        f.next_line = f.current_line + 1;
        Output out(kLineSize);
        expand_text(dok, line, out);
        dok.frame().current_line = dok.frame().next_line;
    }
    dok.frame().line_count = 0;
    if (dok.exit_after_routine && dok.window_created) dok.ui.destroy_window();
}

}  // namespace

bool load_routine(Dok& dok, std::string_view name) {
    dok.lines = platform::get_private_profile_section(name, dok.ini_path, kRoutineBytes);
    dok.frame().line_count = 0;
    if (dok.lines.size() > kMaxLines) {
        dok.frame().current_line = static_cast<int32_t>(kMaxLines);
        dok.lines.resize(kMaxLines + 1);
        report_error(dok, kErrTooManyLines);
        dok.lines.clear();
        return false;
    }
    dok.frame().line_count = static_cast<int32_t>(dok.lines.size());
    return true;
}

std::optional<size_t> find_label(const Dok& dok, std::string_view label) {
    for (size_t i = 0; i < dok.lines.size(); ++i) {
        std::string_view l = dok.lines[i];
        if (!l.empty() && platform::equals_ignore_case(l.substr(1), label)) return i;
    }
    return std::nullopt;
}

void run_routine(Dok& dok, std::string_view name, const EventEntry* entry, int control) {
    if (dok.routine_running || name.empty()) return;
    dok.depth = 0;
    start_frame(dok.frame(), name);
    dok.errorlevel = 0;
    dok.stop_routine = false;
    dok.exit_after_routine = false;
    dok.lines_run = 0;
    dok.words_run = 0;
    dok.nesting = 0;
    dok.event_control = -1;
    if (!load_routine(dok, name)) return;
    if (entry && !entry->name.empty()) {
        if (auto at = find_label(dok, entry->name)) {
            dok.frame().current_line = static_cast<int32_t>(*at);
            dok.frame().event_code = entry->code;
            dok.event_control = control;
        }
    }
    dok.routine_running = true;
    execute(dok);
    if (dok.depth > 0) {
        --dok.frame().current_line;
        report_error(dok, kErrSubroutineEnd);
    }
    dok.routine_running = false;
    dok.current_position.clear();
}

void report_error(Dok& dok, int number) {
    const RoutineFrame& f = dok.frame();
    std::string where = "Routine [" + f.name + "] Line " + std::to_string(f.current_line + 1);
    std::string line;
    if (f.current_line >= 0 && static_cast<size_t>(f.current_line) < dok.lines.size())
        line = dok.lines[static_cast<size_t>(f.current_line)];
    std::string text = format_message(message_text(dok, "Interpreter", number),
                                      {MessageArg::of(where), MessageArg::of(line), MessageArg::of(dok.current_position)});
    dok.ui.message_box("Dok", text, BoxButtons::Ok, BoxIcon::Error, false);
    dok.stop_routine = true;
}

void conclude_test(Dok& dok, bool holds) {
    if (dok.negate_next) holds = !holds;
    dok.negate_next = false;
    dok.errorlevel = holds ? 0 : 1;
    if (!holds) dok.skip_rest = true;
}

// Flow and test words.
namespace words {

bool w_rem(Dok& dok, Scan&, Output&) {
    dok.skip_rest = true;
    return true;
}

bool w_end(Dok& dok, Scan&, Output&) {
    dok.stop_routine = true;
    dok.skip_rest = true;
    return true;
}

bool w_exit(Dok& dok, Scan&, Output&) {
    dok.stop_routine = true;
    dok.exit_after_routine = true;
    dok.skip_rest = true;
    return true;
}

bool w_subend(Dok& dok, Scan&, Output&) {
    dok.depth = 0;
    dok.stop_routine = true;
    dok.skip_rest = true;
    return true;
}

bool w_goto(Dok& dok, Scan& s, Output&) {
    std::string label;
    if (!text_argument(dok, s, label) || !close_command(dok, s)) return false;
    std::string_view l = label;
    if (!l.empty() && l[0] == ':') l.remove_prefix(1);
    auto at = find_label(dok, l);
    if (!at) {
        report_error(dok, kErrNotFound);
        return false;
    }
    dok.frame().next_line = static_cast<int32_t>(*at);
    dok.skip_rest = true;
    return true;
}

bool w_gosub(Dok& dok, Scan& s, Output&) {
    std::string name;
    if (!text_argument(dok, s, name) || !close_command(dok, s)) return false;
    if (dok.depth >= kMaxDepth) {
        report_error(dok, kErrGosubDepth);
        return false;
    }
    ++dok.depth;
    start_frame(dok.frame(), name);
    dok.skip_rest = true;
    if (!load_routine(dok, name)) return false;
    if (dok.lines.empty()) {
        report_error(dok, kErrNotFound);
        return false;
    }
    return true;
}

bool w_return(Dok& dok, Scan&, Output&) {
    if (dok.depth == 0) {
        report_error(dok, kErrReturn);
        return false;
    }
    --dok.depth;
    RoutineFrame& f = dok.frame();
    int32_t current = f.current_line, next = f.next_line;
    load_routine(dok, f.full_name);
    f.current_line = current;
    f.next_line = next;
    dok.skip_rest = true;
    return true;
}

namespace {

int compare_bytes(std::string_view a, std::string_view b, bool ignore_case) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (ignore_case) {
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool w_if(Dok& dok, Scan& s, Output&) {
    std::string left, op, right;
    if (!text_argument(dok, s, left) || !require_comma(dok, s) || !text_argument(dok, s, op) ||
        !require_comma(dok, s) || !text_argument(dok, s, right) || !close_command(dok, s))
        return false;
    bool holds;
    if (op == "==") {
        holds = compare_bytes(left, right, false) == 0;
    } else {
        int c = compare_bytes(left, right, true);
        if (platform::equals_ignore_case(op, "EQ")) holds = c == 0;
        else if (platform::equals_ignore_case(op, "GE")) holds = c >= 0;
        else if (platform::equals_ignore_case(op, "GT")) holds = c > 0;
        else if (platform::equals_ignore_case(op, "LE")) holds = c <= 0;
        else if (platform::equals_ignore_case(op, "LT")) holds = c < 0;
        else {
            report_error(dok, kErrBadArgument);
            return false;
        }
    }
    conclude_test(dok, holds);
    return true;
}

bool w_ifnot(Dok& dok, Scan& s, Output& out) {
    dok.negate_next = true;
    return w_if(dok, s, out);
}

bool w_ift(Dok& dok, Scan&, Output&) {
    if (dok.errorlevel != 0) dok.skip_rest = true;
    return true;
}

bool w_iff(Dok& dok, Scan&, Output&) {
    if (dok.errorlevel == 0) dok.skip_rest = true;
    return true;
}

}  // namespace words
}  // namespace dok
