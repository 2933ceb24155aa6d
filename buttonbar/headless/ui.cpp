#include "headless/ui.hpp"

#include <istream>
#include <ostream>

#include "engine/event_line.hpp"
#include "engine/events.hpp"
#include "engine/ini_reader.hpp"
#include "engine/list_order.hpp"
#include "platform/paths.hpp"

namespace dok {
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
    return next_line(line) ? parse_box_answer(line) : kIdCancel;
}

bool HeadlessUi::create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) {
    window_layout_ = window;
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
    EventLine e = parse_event_line(line);
    switch (e.verb) {
        case EventVerb::None: return;
        case EventVerb::Timer:
            if (window_layout_.timer_ms != 0) events_->on_timer();
            return;
        case EventVerb::Close:
            if (events_->close_allowed()) destroy_window();
            return;
        case EventVerb::Menu: menu(e.name); return;
        default: break;
    }
    auto index = find(e.name);
    if (!index) return;
    Control& c = controls_[*index];
    if (!c.enabled || !c.visible) return;
    uint16_t kind = c.record.kind;
    switch (e.verb) {
        case EventVerb::Click: click(*index); break;
        case EventVerb::Type:
            if (kind == kEdit || kind == kDropdown || kind == kCombobox) type(*index, e.rest);
            break;
        case EventVerb::Select:
        case EventVerb::DblClick: {
            auto n = parse_event_index(e.rest);
            if (!n || !c.record.is_list()) return;
            list_select(*index, *n);
            events_->on_command(c.record.id, e.verb == EventVerb::Select ? kCbnSelChange : kCbnDblClk);
            break;
        }
        case EventVerb::Key: {
            std::string_view k = trim_event_text(e.rest);
            if (platform::equals_ignore_case(k, "tab")) events_->on_key(*index, kVkTab);
            else if (platform::equals_ignore_case(k, "enter")) events_->on_key(*index, kVkReturn);
            break;
        }
        default: break;
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
    if (!window_layout_.has_menu) return;
    std::string wanted = without_ampersands(text);
    for (const Control& c : controls_) {
        const ControlRecord& r = c.record;
        if (r.kind != kMenu) continue;
        std::string_view routine = r.routine ? std::string_view(*r.routine) : std::string_view();
        if (platform::equals_ignore_case(routine, "popup") || platform::equals_ignore_case(routine, "separator"))
            continue;
        if (equals_without_ampersands(r.text, wanted)) {
            events_->on_command(r.id, 0);
            return;
        }
    }
    if (window_layout_.has_about && equals_without_ampersands(window_layout_.about_item, wanted))
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
    if (sorted)
        at = static_cast<size_t>(sorted_position(static_cast<int>(c->items.size()), text,
                                                 [&](int i) { return std::string_view(c->items[static_cast<size_t>(i)]); }));
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
    if (next_line(line) && !trim_event_text(line).empty()) {
        r.outcome = DialogResult::Outcome::Chosen;
        r.path = std::string(trim_event_text(line));
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
