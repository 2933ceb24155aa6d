#include <string>

#include "ini_reader.hpp"
#include "interpreter.hpp"
#include "platform/environment.hpp"
#include "platform/paths.hpp"
#include "words.hpp"

namespace dok {
namespace {

constexpr size_t kNameLength = 20;
constexpr size_t kValueLength = 128;
constexpr std::string_view kKeycodeNames[] = {"UNKNOWN", "OK", "CANCEL", "ABORT", "RETRY", "IGNORE", "YES", "NO"};

bool emit(Dok& dok, Output& out, char c) {
    if (out.text.size() >= out.limit) {
        report_error(dok, kErrTooLong);
        return false;
    }
    out.text += c;
    return true;
}

std::string config_text(Dok& dok, char digit) {
    std::string key = std::string("@") + digit;
    if (!dok.settings_path.empty()) {
        std::string v = read_ini_value("config", key, "", 256, dok.file_path(dok.settings_path));
        if (!v.empty()) return v;
    }
    return read_ini_value("config", key, key, 256, dok.ini_path);
}

std::string cut(std::string s, size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

std::optional<std::string> control_value(Dok& dok, size_t index) {
    const ControlRecord& r = dok.controls.records[index];
    auto selected = [&]() -> std::string {
        int sel = dok.ui.list_selection(index);
        return sel < 0 ? std::string() : dok.ui.list_item(index, sel).value_or("");
    };
    switch (r.kind) {
        case kRadio:
        case kCheck: return std::string(dok.ui.checked(index) ? "1" : "0");
        case kListbox: return cut(selected(), kValueLength);
        case kDropdown:
        case kCombobox: {
            int code = dok.frames[0].event_code;
            if ((code == 1 || code == 6) && dok.event_control == static_cast<int>(index))
                return cut(selected(), kValueLength);
            return cut(dok.ui.control_text(index), kValueLength);
        }
        default: return cut(dok.ui.control_text(index), kValueLength);
    }
}

}  // namespace

std::optional<std::string> value_of_name(Dok& dok, std::string_view name) {
    for (size_t i = 0; i < dok.controls.records.size(); ++i) {
        const ControlRecord& r = dok.controls.records[i];
        if (r.kind != kMenu && platform::equals_ignore_case(r.name, name)) return control_value(dok, i);
    }
    auto is = [&](std::string_view n) { return platform::equals_ignore_case(name, n); };
    if (is("errorlevel")) return std::to_string(dok.errorlevel);
    if (is("lastkey")) return std::to_string(dok.lastkey);
    if (is("object")) return dok.object;
    if (is("keycode")) return std::string(kKeycodeNames[dok.keycode < 0 || dok.keycode > 7 ? 0 : dok.keycode]);
    if (is("left") || is("top")) {
        WindowPosition p = dok.ui.window_position();
        dok.window.x = p.left;
        dok.window.y = p.top;
        return std::to_string(is("left") ? p.left : p.top);
    }
    if (is("inifile")) return dok.settings_path;
    if (Variable* v = dok.variables.find(name)) {
        switch (v->kind) {
            case VarKind::String:
            case VarKind::Argument: return v->text;
            case VarKind::Integer: return std::to_string(v->number);
            case VarKind::Environment: return cut(platform::get_environment(v->name).value_or(""), kValueLength);
        }
    }
    return std::nullopt;
}

bool append_result(Dok& dok, Output& out, std::string_view result) {
    if (!out.fits(result.size())) {
        report_error(dok, kErrTooLong);
        return false;
    }
    out.text += result;
    return true;
}

bool expand_text(Dok& dok, std::string_view text, Output& out) {
    if (dok.nesting >= kMaxNesting) {
        report_error(dok, kErrTooLong);
        return false;
    }
    struct Depth {
        int& n;
        explicit Depth(int& d) : n(++d) {}
        ~Depth() { --n; }
    } depth(dok.nesting);

    size_t i = 0;
    while (i < text.size() && !dok.skip_rest) {
        char c = text[i];
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        bool has_next = i + 1 < text.size();
        if (c == '#') {
            dok.current_position.assign(text.substr(i));
            const WordEntry* w = find_word(text.substr(i + 1));
            if (!w) {
                report_error(dok, kErrUnknownWord);
                return false;
            }
            if (dok.opt.max_words > 0 && ++dok.words_run > dok.opt.max_words) {
                dok.stop_routine = dok.skip_rest = true;
                return false;
            }
            Scan s{text, i + 1 + w->text.size()};
            if (!w->handler(dok, s, out)) return false;
            i = s.pos;
        } else if (c == '%') {
            if (next == '%') {
                if (!emit(dok, out, '%')) return false;
                i += 2;
                continue;
            }
            if (next >= '0' && next <= '9' && i + 2 < text.size() && text[i + 2] == ' ') {
                ++i;  // "%5 " stands for "5 "
                continue;
            }
            dok.current_position.assign(text.substr(i));
            size_t start = i + 1, j = start;
            while (j < text.size() && text[j] != '%' && j - start < kNameLength) ++j;
            std::string_view name = text.substr(start, j - start);
            i = j < text.size() ? j + 1 : j;
            auto value = value_of_name(dok, name);
            if (!value) {
                report_error(dok, kErrVariable);
                return false;
            }
            if (!append_result(dok, out, *value)) return false;
        } else if (c == '@') {
            if (!has_next) {
                ++i;
                continue;
            }
            if (next >= '0' && next <= '9') {
                if (!append_result(dok, out, config_text(dok, next))) return false;
            } else if (!emit(dok, out, next)) {
                return false;
            }
            i += 2;
        } else if (c == '\\') {
            if (!has_next) {
                ++i;
                continue;
            }
            char e = next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
            if (!emit(dok, out, e)) return false;
            i += 2;
        } else {
            if (!emit(dok, out, c)) return false;
            ++i;
        }
    }
    if (i >= text.size()) dok.current_position.clear();
    return true;
}

void skip_separators(Scan& s) {
    while (!s.at_end() && (is_blank_or_control(s.peek()) || s.peek() == ',')) ++s.pos;
}

bool require_comma(Dok& dok, Scan& s) {
    if (s.peek() != ',' || s.at_end()) {
        report_error(dok, kErrComma);
        return false;
    }
    ++s.pos;
    skip_separators(s);
    return true;
}

bool raw_argument(Dok& dok, Scan& s, std::string& out) {
    out.clear();
    int depth = 0;
    while (!s.at_end()) {
        char c = s.peek();
        if (depth == 0 && (c == ',' || c == ')')) break;
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (out.size() >= kArgSize) {
            report_error(dok, kErrTooLong);
            return false;
        }
        out += c;
        ++s.pos;
    }
    return true;
}

namespace {
// A raw argument expanded into at most limit characters.
bool expanded_argument(Dok& dok, Scan& s, size_t limit, std::string& out) {
    skip_separators(s);
    std::string raw;
    if (!raw_argument(dok, s, raw)) return false;
    Output o(limit);
    if (!expand_text(dok, raw, o)) return false;
    out = std::move(o.text);
    return true;
}
}  // namespace

bool text_argument(Dok& dok, Scan& s, std::string& out, size_t limit) {
    if (!expanded_argument(dok, s, limit, out)) return false;
    if (platform::equals_ignore_case(out, "NULL")) out.clear();
    else if (out.size() >= 2 && out.front() == '"' && out.back() == '"') out = out.substr(1, out.size() - 2);
    return true;
}

bool number_argument(Dok& dok, Scan& s, uint32_t& out) {
    std::string text;
    if (!expanded_argument(dok, s, kArgSize, text)) return false;
    out = leading_unsigned(text);
    return true;
}

namespace {
bool close_with(Dok& dok, Scan& s, int error) {
    skip_separators(s);
    if (s.at_end() || s.peek() != ')') {
        report_error(dok, error);
        return false;
    }
    ++s.pos;
    return true;
}
}  // namespace

bool close_value(Dok& dok, Scan& s) { return close_with(dok, s, kErrBadArgument); }
bool close_command(Dok& dok, Scan& s) { return close_with(dok, s, kErrCommandSyntax); }

}  // namespace dok
