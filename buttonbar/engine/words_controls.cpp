// Words that read and change controls, and the list queries.
#include "platform/paths.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok::words {
namespace {

constexpr size_t kTextSize = 255;

// The control of that name, menu items refused; or error 14.
std::optional<size_t> control(Dok& dok, std::string_view name) {
    auto i = dok.controls.find(name);
    if (!i || dok.controls.records[*i].kind == kMenu) {
        report_error(dok, kErrControl);
        return std::nullopt;
    }
    return i;
}

template <typename Act>
bool one_control(Dok& dok, Scan& s, Act act) {
    std::string name;
    if (!command_args(dok, s, name)) return false;
    auto i = control(dok, name);
    if (!i) return false;
    act(*i);
    return true;
}

std::string cut(std::string s, size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

// A list command with a control and an item index.
template <typename Act>
bool list_index_command(Dok& dok, Scan& s, Act act) {
    std::string name;
    uint32_t index = 0;
    if (!command_args(dok, s, name, index)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    act(*i, static_cast<int>(index));
    return true;
}

// The answer of a list query: errorlevel 0, or 1 and "-1" for the list
// error value.
bool list_answer(Dok& dok, Output& out, int value) {
    dok.errorlevel = value < 0 ? 1 : 0;
    return append_result(dok, out, std::to_string(value < 0 ? -1 : value));
}

// A list query with a control as its only argument.
template <typename Ask>
bool list_query(Dok& dok, Scan& s, Output& out, Ask ask) {
    std::string name;
    if (!value_args(dok, s, name)) return false;
    auto i = list_control(dok, name);
    return i && list_answer(dok, out, ask(*i));
}

}  // namespace

std::optional<size_t> list_control(Dok& dok, std::string_view name) {
    auto i = dok.controls.find(name);
    if (!i || !dok.controls.records[*i].is_list()) {
        report_error(dok, kErrControl);
        return std::nullopt;
    }
    return i;
}

bool w_settext(Dok& dok, Scan& s, Output&) {
    std::string name, text;
    if (!command_args(dok, s, name, text)) return false;
    auto i = dok.controls.find(name);
    if (!i) {
        if (platform::equals_ignore_case(name, "window")) {
            dok.ui.set_window_title(text);
            return true;
        }
        report_error(dok, kErrControl);
        return false;
    }
    if (dok.controls.records[*i].kind != kMenu) dok.ui.set_control_text(*i, text);
    return true;
}

bool w_gettext(Dok& dok, Scan& s, Output& out) {
    std::string name;
    if (!value_args(dok, s, name)) return false;
    auto i = control(dok, name);
    if (!i) return false;
    std::string text;
    if (dok.controls.records[*i].is_list()) {
        int sel = dok.ui.list_selection(*i);
        if (sel >= 0) text = dok.ui.list_item(*i, sel).value_or("");
    } else {
        text = dok.ui.control_text(*i);
    }
    return append_result(dok, out, cut(text, kTextSize));
}

bool w_setcheck(Dok& dok, Scan& s, Output&) {
    std::string name;
    uint32_t state = 0;
    if (!command_args(dok, s, name, state)) return false;
    auto i = dok.controls.find(name);
    if (!i || (dok.controls.records[*i].kind != kRadio && dok.controls.records[*i].kind != kCheck)) {
        report_error(dok, kErrControl);
        return false;
    }
    dok.ui.set_checked(*i, state != 0);
    return true;
}

bool w_enable(Dok& dok, Scan& s, Output&) { return one_control(dok, s, [&](size_t i) { dok.ui.enable(i, true); }); }
bool w_disable(Dok& dok, Scan& s, Output&) { return one_control(dok, s, [&](size_t i) { dok.ui.enable(i, false); }); }
bool w_show(Dok& dok, Scan& s, Output&) { return one_control(dok, s, [&](size_t i) { dok.ui.show(i, true); }); }
bool w_hide(Dok& dok, Scan& s, Output&) { return one_control(dok, s, [&](size_t i) { dok.ui.show(i, false); }); }
bool w_setfocus(Dok& dok, Scan& s, Output&) { return one_control(dok, s, [&](size_t i) { dok.ui.set_focus(i); }); }

bool w_resetcontent(Dok& dok, Scan& s, Output&) {
    std::string name;
    if (!command_args(dok, s, name)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    dok.ui.list_reset(*i);
    return true;
}

bool w_addstring(Dok& dok, Scan& s, Output&) {
    std::string name, text;
    if (!command_args(dok, s, name, text)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    dok.ui.list_add(*i, text);
    return true;
}

bool w_delstring(Dok& dok, Scan& s, Output&) {
    return list_index_command(dok, s, [&](size_t i, int n) { dok.ui.list_delete(i, n); });
}

bool w_setcursel(Dok& dok, Scan& s, Output&) {
    return list_index_command(dok, s, [&](size_t i, int n) { dok.ui.list_select(i, n); });
}

bool w_movewindow(Dok& dok, Scan& s, Output&) {
    uint32_t x = 0, y = 0;
    if (!number_argument(dok, s, x) || !require_comma(dok, s) || !number_argument(dok, s, y) ||
        !close_command(dok, s))
        return false;
    if (x == 0 || y == 0) {
        report_error(dok, kErrControl);
        return false;
    }
    dok.window.x = static_cast<int32_t>(x);
    dok.window.y = static_cast<int32_t>(y);
    dok.ui.move_window(dok.window.x, dok.window.y);
    return true;
}

bool w_loadbitmap(Dok& dok, Scan& s, Output&) {
    std::string file;
    if (!command_args(dok, s, file)) return false;
    dok.ui.load_picture(file.empty() ? std::string() : dok.file_path(file));
    return true;
}

bool w_getcursel(Dok& dok, Scan& s, Output& out) {
    return list_query(dok, s, out, [&](size_t i) { return dok.ui.list_selection(i); });
}

bool w_getcount(Dok& dok, Scan& s, Output& out) {
    return list_query(dok, s, out, [&](size_t i) { return dok.ui.list_count(i); });
}

bool w_findstring(Dok& dok, Scan& s, Output& out) {
    std::string name, search;
    if (!value_args(dok, s, name, search)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    return list_answer(dok, out, dok.ui.list_find(*i, search));
}

bool w_getstring(Dok& dok, Scan& s, Output& out) {
    std::string name;
    uint32_t n = 0;
    if (!value_args(dok, s, name, n)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    dok.errorlevel = 0;
    auto item = n <= INT32_MAX ? dok.ui.list_item(*i, static_cast<int>(n)) : std::nullopt;
    if (!item) {
        dok.errorlevel = 1;
        return true;
    }
    return append_result(dok, out, *item);
}

}  // namespace dok::words
