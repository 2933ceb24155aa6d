#include "wx/event_driver.hpp"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/textentry.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <vector>

#include "engine/event_line.hpp"
#include "platform/paths.hpp"
#include "wx/gtk.hpp"
#include "wx/message_box.hpp"
#include "wx/ui.hpp"
#include "wx/x11_input.hpp"

namespace dok {

using namespace std::chrono_literals;

struct EventDriver::Box {
    int serial = 0;
    bool ready = false;     // on the screen
    bool several = false;   // more than one button: the answer is the next line
    std::vector<std::pair<int, wxRect>> buttons;
};

struct EventDriver::View {
    bool accepting = false;  // idle: the next line may come
    bool busy = false;       // a routine or an action of the driver runs
    bool destroyed = false;
    unsigned long frame = 0;
    std::optional<Box> box;
};

namespace {

// What the driver needs to know of one control.
struct Target {
    size_t index = 0;
    uint16_t kind = 0;
    bool usable = false;     // shown and enabled
    bool typable = false;    // has an edit field
    wxRect rect;             // on the screen
};

wxPoint centre(const wxRect& r) { return wxPoint(r.x + r.width / 2, r.y + r.height / 2); }

EventDriver::View look(WxUi& ui) {
    EventDriver::View v;
    v.destroyed = ui.window_destroyed();
    v.frame = ui.frame() ? x_window_of(ui.frame()) : 0;
    if (MessageDialog* box = ui.open_box()) {
        EventDriver::Box b;
        b.serial = box->serial;
        b.ready = box->painted() && is_mapped(box);
        b.several = box->buttons().size() > 1;
        for (const MessageDialog::Button& button : box->buttons())
            b.buttons.emplace_back(button.answer, button.button->GetScreenRect());
        v.box = b;
    }
    v.busy = ui.dispatching() || ui.actions_pending();
    v.accepting = ui.loop_running() && !v.busy && !v.box && !v.destroyed && ui.painted() && ui.frame() &&
                  is_mapped(ui.frame());
    return v;
}

std::optional<Target> target(WxUi& ui, const std::string& name) {
    auto index = ui.find_view(name);
    if (!index) return std::nullopt;
    ControlView& v = ui.views()[*index];
    if (!v.window) return std::nullopt;
    Target t;
    t.index = *index;
    t.kind = v.record.kind;
    t.usable = v.window->IsShown() && v.window->IsEnabled();
    t.typable = v.entry != nullptr;
    t.rect = v.window->GetScreenRect();
    return t;
}

void focus_for_typing(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    if (!v.window || !v.entry) return;
    v.window->SetFocus();
}

void deliver_select(WxUi& ui, size_t index, int n, bool twice) {
    ControlView& v = ui.views()[index];
    if (!v.window || !v.items || !v.window->IsShown() || !v.window->IsEnabled()) return;
    ui.list_select(index, n);
    if (v.list) {
        wxCommandEvent e(twice ? wxEVT_LISTBOX_DCLICK : wxEVT_LISTBOX, v.list->GetId());
        e.SetEventObject(v.list);
        e.SetInt(n);
        v.list->ProcessWindowEvent(e);
    } else if (twice) {
        ui.notify(index, 2);
    } else {
        wxCommandEvent e(wxEVT_COMBOBOX, v.window->GetId());
        e.SetEventObject(v.window);
        e.SetInt(n);
        v.window->ProcessWindowEvent(e);
    }
}

void deliver_menu(WxUi& ui, const std::string& text) {
    if (!ui.layout().has_menu || !ui.frame()) return;
    std::string wanted = without_ampersands(text);
    int id = 0;
    for (const ControlView& v : ui.views()) {
        const ControlRecord& r = v.record;
        std::string routine = r.routine.value_or("");
        if (r.kind != kMenu || platform::equals_ignore_case(routine, "popup") ||
            platform::equals_ignore_case(routine, "separator"))
            continue;
        if (platform::equals_ignore_case(without_ampersands(r.text), wanted)) {
            id = r.id;
            break;
        }
    }
    if (id == 0 && ui.layout().has_about &&
        platform::equals_ignore_case(without_ampersands(ui.layout().about_item), wanted))
        id = kAboutId;
    if (id == 0) return;
    wxCommandEvent e(wxEVT_MENU, id);
    e.SetEventObject(ui.frame());
    ui.frame()->ProcessWindowEvent(e);
}

}  // namespace

bool EventScript::next_line(std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

EventDriver::EventDriver(EventScript& script, WxUi& ui, std::shared_ptr<bool> alive)
    : script_(script), ui_(ui), alive_(std::move(alive)), input_(std::make_unique<X11Input>()) {
    expected_ = input_events_seen();
    thread_ = std::thread([this] { run(); });
}

EventDriver::~EventDriver() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

template <typename F>
auto EventDriver::on_gui(F f) -> std::optional<decltype(f(std::declval<WxUi&>()))> {
    using Result = decltype(f(std::declval<WxUi&>()));
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    std::shared_ptr<bool> alive = alive_;
    WxUi* ui = &ui_;
    // Two hops: whatever the first one finds queued runs before the second.
    wxTheApp->CallAfter([promise, alive, ui, f] {
        wxTheApp->CallAfter([promise, alive, ui, f] {
            if (*alive) promise->set_value(f(*ui));
        });
    });
    while (future.wait_for(5ms) != std::future_status::ready)
        if (stop_) return std::nullopt;
    return future.get();
}

void EventDriver::act(std::function<void(WxUi&)> f) {
    std::shared_ptr<bool> alive = alive_;
    WxUi* ui = &ui_;
    wxTheApp->CallAfter([alive, ui, f] {
        if (*alive) ui->run_soon([ui, f] { f(*ui); });
    });
}

void EventDriver::settle() {
    auto deadline = std::chrono::steady_clock::now() + 3s;
    while (input_events_seen() < expected_ && std::chrono::steady_clock::now() < deadline && !stop_)
        std::this_thread::sleep_for(1ms);
    on_gui([](WxUi&) { return 0; });
}

void EventDriver::run() {
    if (!input_->ok()) std::fprintf(stderr, "dok: DOK_EVENTS needs the X server's test extension\n");
    bool input_ended = !input_->ok();
    bool ended_sent = false;
    while (!stop_) {
        settle();
        std::optional<View> view = on_gui([](WxUi& ui) { return look(ui); });
        if (!view) break;
        frame_ = view->frame;
        if (view->box) {
            answer_when_ready(*view->box);
            continue;
        }
        if (!view->accepting || input_ended) {
            if (input_ended && !ended_sent && view->accepting) {
                ended_sent = true;
                act([](WxUi& ui) { ui.destroy_window(); });
            }
            std::this_thread::sleep_for(5ms);
            continue;
        }
        std::string line;
        if (!script_.next_line(line)) {
            input_ended = true;
            continue;
        }
        perform(parse_event_line(line));
    }
}

void EventDriver::answer_when_ready(const Box& box) {
    auto now = std::chrono::steady_clock::now();
    if (box.serial != waiting_for_) {
        waiting_for_ = box.serial;
        waiting_since_ = now;
    }
    // A box that the display does not show in time is answered all the same.
    if (box.ready || now - waiting_since_ > 2s) answer(box);
    else std::this_thread::sleep_for(5ms);
}

void EventDriver::answer(const Box& box) {
    int serial = box.serial;
    auto by_toolkit = [this, serial](int id) {
        on_gui([serial, id](WxUi& ui) {
            if (ui.open_box() && ui.open_box()->serial == serial) ui.open_box()->answer(id);
            return 0;
        });
    };
    if (serial == answered_) {
        // A click that did not reach the box: the toolkit gives the answer.
        if (++answer_tries_ >= 3) by_toolkit(answer_id_);
        return;
    }
    answered_ = serial;
    answer_tries_ = 0;
    answer_id_ = kIdOk;
    if (box.several) {
        std::string line;
        answer_id_ = script_.next_line(line) ? parse_box_answer(line) : kIdCancel;
    }
    for (const auto& [id, rect] : box.buttons)
        if (id == answer_id_) {
            wxPoint p = centre(rect);
            expected_ += input_->click(p.x, p.y);
            return;
        }
    by_toolkit(answer_id_);  // an answer the box has no button for
}

bool EventDriver::wait_idle() {
    while (!stop_) {
        settle();
        std::optional<View> view = on_gui([](WxUi& ui) { return look(ui); });
        if (!view || view->destroyed) return false;
        if (view->box) {
            answer_when_ready(*view->box);
        } else if (view->busy) {
            std::this_thread::sleep_for(2ms);
        } else {
            return true;
        }
    }
    return false;
}

void EventDriver::perform(const EventLine& e) {
    switch (e.verb) {
        case EventVerb::None: return;
        case EventVerb::Timer: act([](WxUi& ui) { ui.fire_timer(); }); return;
        case EventVerb::Close: expected_ += input_->close(frame_); return;
        case EventVerb::Menu: act([name = e.name](WxUi& ui) { deliver_menu(ui, name); }); return;
        default: break;
    }
    std::optional<std::optional<Target>> found = on_gui([name = e.name](WxUi& ui) { return target(ui, name); });
    if (!found || !*found || !(*found)->usable) return;
    const Target& t = **found;
    switch (e.verb) {
        case EventVerb::Click:
            if (t.kind == kButton || t.kind == kRadio || t.kind == kCheck) {
                wxPoint p = centre(t.rect);
                expected_ += input_->click(p.x, p.y);
            }
            break;
        case EventVerb::Type:
            if ((t.kind == kEdit || t.kind == kDropdown || t.kind == kCombobox) && t.typable) type(t.index, e.rest);
            break;
        case EventVerb::Select:
        case EventVerb::DblClick: {
            auto n = parse_event_index(e.rest);
            bool twice = e.verb == EventVerb::DblClick;
            if (n && (t.kind == kDropdown || t.kind == kListbox || t.kind == kCombobox))
                act([index = t.index, n = *n, twice](WxUi& ui) { deliver_select(ui, index, n, twice); });
            break;
        }
        case EventVerb::Key: {
            std::string_view k = trim_event_text(e.rest);
            unsigned long sym = platform::equals_ignore_case(k, "tab")     ? XK_Tab
                                : platform::equals_ignore_case(k, "enter") ? XK_Return
                                                                           : 0;
            if (!sym) break;
            act([index = t.index](WxUi& ui) {
                if (wxWindow* w = ui.views()[index].window) w->SetFocus();
            });
            if (!wait_idle()) break;
            input_->focus(frame_);
            expected_ += input_->key(sym);
            break;
        }
        default: break;
    }
}

void EventDriver::type(size_t index, const std::string& text) {
    act([index](WxUi& ui) { focus_for_typing(ui, index); });
    if (!wait_idle()) return;
    input_->focus(frame_);
    expected_ += input_->key(XK_a, true);  // select everything: the text replaces it
    if (text.empty()) expected_ += input_->key(XK_Delete);
    size_t pos = 0;
    // A routine that answers a keystroke may open boxes before the next one.
    while (pos < text.size() && wait_idle()) {
        input_->focus(frame_);
        expected_ += input_->type(text, pos);
    }
}

}  // namespace dok
