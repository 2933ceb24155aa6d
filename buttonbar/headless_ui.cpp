#include "headless_ui.hpp"

#include <istream>
#include <ostream>

#include "events.hpp"
#include "ini_reader.hpp"
#include "platform/paths.hpp"

namespace dok {
namespace {

constexpr std::string_view kAnswers[] = {"", "OK", "CANCEL", "ABORT", "RETRY", "IGNORE", "YES", "NO"};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Splits off the first blank-separated word.
std::string_view first_word(std::string_view& rest) {
    rest = trim(rest);
    size_t sp = rest.find_first_of(" \t");
    std::string_view word = rest.substr(0, sp);
    rest = sp == std::string_view::npos ? std::string_view() : rest.substr(sp + 1);
    return word;
}

std::optional<int> parse_index(std::string_view s) {
    s = trim(s);
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return static_cast<int>(leading_unsigned(s));
}

bool less_ignoring_case(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i])), y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

std::string without_ampersands(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

}  // namespace

bool HeadlessUi::next_line(std::string& line) {
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

int HeadlessUi::message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon, bool) {
    out_ << title << ": " << text << "\n";
    out_.flush();
    if (buttons == BoxButtons::Ok) return kIdOk;
    std::string line;
    if (!next_line(line)) return kIdCancel;
    std::string_view answer = trim(line);
    for (int i = 1; i <= 7; ++i)
        if (platform::equals_ignore_case(answer, kAnswers[i])) return i;
    return kIdCancel;
}

bool HeadlessUi::create_window(const WindowSpec& window, const ControlTable& controls, WindowEvents& events) {
    window_spec_ = window;
    events_ = &events;
    position_ = {window.x == kDefaultPosition ? 0 : window.x, window.y == kDefaultPosition ? 0 : window.y};
    controls_.clear();
    for (const ControlRecord& r : controls.records) {
        Control c;
        c.record = r;
        c.text = r.kind == kMenu ? std::string() : r.text;
        controls_.push_back(std::move(c));
    }
    created_ = true;
    destroyed_ = false;
    return true;
}

void HeadlessUi::run_message_loop() {
    std::string line;
    while (created_ && !destroyed_) {
        if (events_) events_->on_idle();
        if (!next_line(line)) {
            destroy_window();
            break;
        }
        handle_event(line);
    }
}

void HeadlessUi::destroy_window() {
    if (!created_ || destroyed_) return;
    destroyed_ = true;
    if (events_) events_->on_destroy();
}

std::optional<size_t> HeadlessUi::find(std::string_view name) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].record.kind != kMenu && platform::equals_ignore_case(controls_[i].record.name, name)) return i;
    return std::nullopt;
}

void HeadlessUi::handle_event(std::string_view line) {
    if (!events_ || destroyed_) return;
    std::string_view rest = line;
    std::string_view verb = first_word(rest);
    auto is = [&](std::string_view v) { return platform::equals_ignore_case(verb, v); };
    if (is("timer")) {
        if (window_spec_.timer_ms != 0) events_->on_timer();
        return;
    }
    if (is("close")) {
        if (events_->close_allowed()) destroy_window();
        return;
    }
    if (is("menu")) {
        menu(trim(rest));
        return;
    }
    if (!(is("click") || is("type") || is("select") || is("dblclick") || is("key"))) return;
    std::string_view name = is("click") ? trim(rest) : first_word(rest);
    auto index = find(name);
    if (!index) return;
    Control& c = controls_[*index];
    if (!c.enabled || !c.visible) return;
    uint16_t kind = c.record.kind;
    if (is("click")) {
        click(*index);
    } else if (is("type")) {
        if (kind == kEdit || kind == kDropdown || kind == kCombobox) type(*index, rest);
    } else if (is("select") || is("dblclick")) {
        auto n = parse_index(rest);
        if (!n || !c.record.is_list()) return;
        list_select(*index, *n);
        int code = is("select") ? kCbnSelChange : kCbnDblClk;
        events_->on_command(c.record.id, code);
    } else if (is("key")) {
        std::string_view k = trim(rest);
        if (platform::equals_ignore_case(k, "tab")) events_->on_key(*index, kVkTab);
        else if (platform::equals_ignore_case(k, "enter")) events_->on_key(*index, kVkReturn);
    }
}

void HeadlessUi::click(size_t index) {
    Control& c = controls_[index];
    uint16_t kind = c.record.kind;
    if (kind != kButton && kind != kRadio && kind != kCheck) return;
    uint32_t type = c.record.style & style::kBsTypeMask;
    if (kind == kRadio && type == style::kBsAutoRadioButton) {
        for (Control& other : controls_)
            if (other.record.kind == kRadio && (other.record.style & style::kBsTypeMask) == style::kBsAutoRadioButton)
                other.checked = false;
        c.checked = true;
    } else if (kind == kCheck && type == style::kBsAutoCheckBox) {
        c.checked = !c.checked;
    }
    events_->on_command(c.record.id, kBnClicked);
}

void HeadlessUi::type(size_t index, std::string_view text) {
    Control& c = controls_[index];
    std::string t;
    bool digits = digits_only(c.record);
    uint32_t s = c.record.style;
    bool upper = c.record.kind == kEdit ? (s & style::kEsUppercase) : (s & style::kCbsUppercase);
    bool lower = c.record.kind == kEdit ? (s & style::kEsLowercase) : (s & style::kCbsLowercase);
    for (char ch : text) {
        if (digits && !(ch >= '0' && ch <= '9')) continue;
        if (upper && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        if (lower && ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
        t += ch;
    }
    if (t.empty() && !text.empty()) return;  // every key swallowed: nothing typed
    c.text = t;
    events_->on_command(c.record.id, c.record.kind == kEdit ? kEnChange : kCbnEditChange);
}

void HeadlessUi::menu(std::string_view text) {
    if (!window_spec_.has_menu) return;
    std::string wanted = without_ampersands(text);
    for (const Control& c : controls_) {
        const ControlRecord& r = c.record;
        if (r.kind != kMenu) continue;
        std::string routine = r.routine.value_or("");
        if (platform::equals_ignore_case(routine, "popup") || platform::equals_ignore_case(routine, "separator"))
            continue;
        if (platform::equals_ignore_case(without_ampersands(r.text), wanted)) {
            events_->on_command(r.id, 0);
            return;
        }
    }
    if (window_spec_.has_about && platform::equals_ignore_case(without_ampersands(window_spec_.about_item), wanted))
        events_->on_command(kAboutId, 0);
}

std::string HeadlessUi::control_text(size_t control) {
    Control* c = get(control);
    return c ? c->text : std::string();
}

void HeadlessUi::set_control_text(size_t control, std::string_view text) {
    if (Control* c = get(control)) c->text = text;
}

bool HeadlessUi::checked(size_t control) {
    Control* c = get(control);
    return c && c->checked;
}

void HeadlessUi::set_checked(size_t control, bool on) {
    if (Control* c = get(control)) c->checked = on;
}

void HeadlessUi::enable(size_t control, bool on) {
    if (Control* c = get(control)) c->enabled = on;
}

void HeadlessUi::show(size_t control, bool on) {
    if (Control* c = get(control)) c->visible = on;
}

HeadlessUi::Control* HeadlessUi::list(size_t control) {
    Control* c = get(control);
    return c && c->record.is_list() ? c : nullptr;
}

void HeadlessUi::list_reset(size_t control) {
    if (Control* c = list(control)) {
        c->items.clear();
        c->selection = -1;
        if (c->record.kind != kListbox) c->text.clear();
    }
}

int HeadlessUi::list_add(size_t control, std::string_view text) {
    Control* c = list(control);
    if (!c) return -1;
    bool sorted = c->record.kind == kListbox ? (c->record.style & style::kLbsSort) : (c->record.style & style::kCbsSort);
    size_t at = c->items.size();
    if (sorted) {
        at = 0;
        while (at < c->items.size() && !less_ignoring_case(text, c->items[at])) ++at;
    }
    c->items.insert(c->items.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    if (c->selection >= static_cast<int>(at)) ++c->selection;
    return static_cast<int>(at);
}

int HeadlessUi::list_delete(size_t control, int index) {
    Control* c = list(control);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return -1;
    c->items.erase(c->items.begin() + index);
    if (c->selection == index) c->selection = -1;
    else if (c->selection > index) --c->selection;
    return static_cast<int>(c->items.size());
}

int HeadlessUi::list_select(size_t control, int index) {
    Control* c = list(control);
    if (!c) return -1;
    if (index < 0 || index >= static_cast<int>(c->items.size())) {
        c->selection = -1;
        if (c->record.kind != kListbox) c->text.clear();
        return -1;
    }
    c->selection = index;
    if (c->record.kind != kListbox) c->text = c->items[static_cast<size_t>(index)];
    return index;
}

int HeadlessUi::list_selection(size_t control) {
    Control* c = list(control);
    return c ? c->selection : -1;
}

int HeadlessUi::list_count(size_t control) {
    Control* c = list(control);
    return c ? static_cast<int>(c->items.size()) : -1;
}

int HeadlessUi::list_find(size_t control, std::string_view prefix) {
    Control* c = list(control);
    if (!c) return -1;
    for (size_t i = 0; i < c->items.size(); ++i)
        if (platform::starts_with_ignore_case(c->items[i], prefix)) return static_cast<int>(i);
    return -1;
}

std::optional<std::string> HeadlessUi::list_item(size_t control, int index) {
    Control* c = list(control);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return std::nullopt;
    return c->items[static_cast<size_t>(index)];
}

DialogResult HeadlessUi::ask_path(std::string_view title, std::string_view initial) {
    out_ << title << ": " << initial << "\n";
    out_.flush();
    std::string line;
    DialogResult r;
    if (next_line(line) && !trim(line).empty()) {
        r.outcome = DialogResult::Outcome::Chosen;
        r.path = std::string(trim(line));
    }
    return r;
}

DialogResult HeadlessUi::file_dialog(const FileDialogRequest& request) {
    if (request.title.empty()) return ask_path(request.save ? "Save As" : "Open", request.initial_name);
    return ask_path(request.title, request.initial_name);
}

DialogResult HeadlessUi::folder_dialog(std::string_view title, std::string_view initial_dir) {
    return ask_path(title.empty() ? "Browse for Folder" : title, initial_dir);
}

}  // namespace dok
