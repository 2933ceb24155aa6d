#include "wx/ui.hpp"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/panel.h>

#include <algorithm>
#include <chrono>

#include "wx/event_driver.hpp"
#include "engine/events.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/sound/sound.hpp"
#include "wx/gtk.hpp"
#include "wx/message_box.hpp"
#include "wx/toolkit.hpp"

namespace dok {
namespace {

constexpr int kBorder = 3;  // the frame drawn around a window without title bar
constexpr int kMaxCoordinate = 30000;

int coordinate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate)); }

wxColour colour_of(uint32_t rgb) { return wxColour(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

bool is_popup(const ControlRecord& r) { return platform::equals_ignore_case(r.routine.value_or(""), "popup"); }
bool is_separator(const ControlRecord& r) {
    return platform::equals_ignore_case(r.routine.value_or(""), "separator");
}

// A menu text the toolkit accepts: never empty.
wxString menu_text(const std::string& text) { return text.empty() ? wxString(" ") : to_wx(text); }

// An image from a file of any format the toolkit reads; nothing for a
// missing or malformed file.
bool read_image(std::string_view path, wxImage& image) {
    std::string data;
    if (path.empty() || !platform::read_file(path, data)) return false;
    wxLogNull quiet;
    wxMemoryInputStream in(data.data(), data.size());
    return image.LoadFile(in, wxBITMAP_TYPE_ANY) && image.IsOk();
}

wxIconBundle read_icons(std::string_view path) {
    std::string data;
    wxIconBundle icons;
    if (path.empty() || !platform::read_file(path, data)) return icons;
    wxLogNull quiet;
    if (data.size() > 4 && data.compare(0, 4, std::string("\0\0\1\0", 4)) == 0) {
        wxMemoryInputStream in(data.data(), data.size());
        icons = wxIconBundle(in, wxBITMAP_TYPE_ICO);
    }
    wxImage image;
    if (icons.IsEmpty() && read_image(path, image)) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        icons.AddIcon(icon);
    }
    return icons;
}

}  // namespace

std::unique_ptr<Ui> make_window_ui(const WindowUiSettings& settings, std::string& error) {
    if (!start_toolkit(error)) return nullptr;
    return std::make_unique<WxUi>(settings);
}

WxUi::WxUi(const WindowUiSettings& settings) : settings_(settings), alive_(std::make_shared<bool>(true)) {
    count_input_events();
    if (settings_.events) {
        script_ = std::make_unique<EventScript>(*settings_.events);
        driver_ = std::make_unique<EventDriver>(*script_, *this, alive_);
    }
}

WxUi::~WxUi() {
    driver_.reset();
    *alive_ = false;
    timer_.Stop();
    idle_timer_.Stop();
    action_timer_.Stop();
    if (frame_) {
        frame_->Destroy();
        frame_ = nullptr;
    }
    if (wxTheApp) wxTheApp->ProcessIdle();  // deletes the destroyed windows
}

void WxUi::run_soon(std::function<void()> action) {
    actions_.push_back(std::move(action));
    if (!action_timer_.tick) {
        action_timer_.tick = [this] {
            if (running_action_ || actions_.empty()) return;
            std::function<void()> next = std::move(actions_.front());
            actions_.pop_front();
            running_action_ = true;
            next();
            running_action_ = false;
            if (!actions_.empty()) action_timer_.StartOnce(1);
        };
    }
    if (!running_action_) action_timer_.StartOnce(1);
}

int WxUi::message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon, bool owned) {
    if (settings_.transcript) {
        *settings_.transcript << title << ": " << text << "\n";
        settings_.transcript->flush();
    }
    wxWindow* parent = owned && frame_ && !destroyed_ ? frame_ : nullptr;
    MessageDialog box(parent, title, text, buttons, icon);
    if (boxes_.empty()) focus_before_box_ = wxWindow::FindFocus();
    box.serial = ++box_serial_;
    boxes_.push_back(&box);
    int answer = box.ShowModal();
    boxes_.pop_back();
    box_closed_ = std::chrono::steady_clock::now();
    return answer;
}

bool WxUi::focus_returning(wxWindow* window) {
    // The window gives the focus back as the box goes, or not at all.
    bool soon = std::chrono::steady_clock::now() - box_closed_ < std::chrono::milliseconds(500);
    if (!focus_before_box_ || window != focus_before_box_ || !boxes_.empty() || !soon) return false;
    focus_before_box_ = nullptr;
    return true;
}

bool WxUi::create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) {
    layout_ = window;
    events_ = &events;
    long style = wxMINIMIZE_BOX | wxCLOSE_BOX | wxSYSTEM_MENU | (window.has_caption ? wxCAPTION : wxBORDER_NONE);
    if (window.always_on_top) style |= wxSTAY_ON_TOP;
    wxPoint position = wxDefaultPosition;
    if (window.x != kDefaultPosition && window.y != kDefaultPosition)
        position = wxPoint(coordinate(window.x), coordinate(window.y));
    wxSize client(coordinate(window.width), coordinate(window.height));
    frame_ = new wxFrame(nullptr, wxID_ANY, to_wx(window.title), position, wxDefaultSize, style);
    wxWindow* holder = frame_;
    if (!window.has_caption) {
        auto* border = new wxPanel(frame_, wxID_ANY);
        border->SetBackgroundStyle(wxBG_STYLE_PAINT);
        border->Bind(wxEVT_PAINT, [border](wxPaintEvent&) {
            wxPaintDC dc(border);
            wxSize s = border->GetClientSize();
            dc.SetPen(*wxTRANSPARENT_PEN);
            const wxColour shades[kBorder] = {wxColour(64, 64, 64), wxColour(160, 160, 160), wxColour(224, 224, 224)};
            for (int i = 0; i < kBorder; ++i) {
                dc.SetBrush(wxBrush(shades[i]));
                dc.DrawRectangle(i, i, s.x - 2 * i, s.y - 2 * i);
            }
        });
        holder = border;
    }
    canvas_ = new wxPanel(holder, wxID_ANY, window.has_caption ? wxDefaultPosition : wxPoint(kBorder, kBorder),
                          client, wxTAB_TRAVERSAL);
    canvas_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas_->Bind(wxEVT_PAINT, [this, canvas = canvas_](wxPaintEvent&) { paint(canvas); });
    mark_bar(canvas_);
    if (window.has_menu) build_menu(controls);
    frame_->SetClientSize(window.has_caption ? client : client + wxSize(2 * kBorder, 2 * kBorder));
    frame_->SetSizeHints(frame_->GetSize(), frame_->GetSize());
    wxIconBundle icons = read_icons(window.icon_path);
    if (!icons.IsEmpty()) frame_->SetIcons(icons);
    load_picture(window.bitmap_path);

    views_.clear();
    for (const ControlRecord& r : controls.records) {
        ControlView v;
        v.record = r;
        views_.push_back(std::move(v));
    }
    canvas_->Freeze();
    for (size_t i = 0; i < views_.size(); ++i)
        if (views_[i].record.kind != kMenu) create_control(*this, i);
    canvas_->Thaw();

    frame_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        count_close_request();
        bool veto = false;
        on_close(e.CanVeto(), veto);
        if (veto) e.Veto();
    });
    frame_->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { notify_menu(e.GetId()); });
    frame_->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        int code = e.GetKeyCode();
        int key = code == WXK_TAB ? kVkTab : (code == WXK_RETURN || code == WXK_NUMPAD_ENTER) ? kVkReturn : 0;
        auto index = key ? view_of(wxWindow::FindFocus()) : std::nullopt;
        if (index) {
            report_key(*index, key);
            if (destroyed_) return;
            uint16_t kind = views_[*index].record.kind;
            // A window without a dialog manager presses no button on Enter.
            if (key == kVkReturn && (kind == kButton || kind == kRadio || kind == kCheck)) return;
        }
        e.Skip();
    });
    idle_timer_.tick = [this] {
        if (events_ && !destroyed_) events_->on_idle();
    };
    idle_timer_.Start(100);
    created_ = true;
    destroyed_ = false;
    if (window.timer_ms != 0) {
        timer_.tick = [this] { fire_timer(); };
        // Under DOK_EVENTS the "timer" lines fire it, so every run is the same.
        if (!settings_.events && !timer_.Start(static_cast<int>(std::min<uint32_t>(window.timer_ms, INT32_MAX)))) {
            message_box("Error", "Couldn't create a timer", BoxButtons::Ok, BoxIcon::None, true);
            destroyed_ = true;
            idle_timer_.Stop();
            frame_->Destroy();
            frame_ = nullptr;
            return false;
        }
    }
    return true;
}

void WxUi::build_menu(const ControlTable& controls) {
    auto* bar = new wxMenuBar;
    std::vector<const ControlRecord*> direct;
    wxMenu* popup = nullptr;
    for (const ControlRecord& r : controls.records) {
        if (r.kind != kMenu) continue;
        if (is_popup(r)) {
            popup = new wxMenu;
            bar->Append(popup, menu_text(r.text));
        } else if (!popup) {
            if (!is_separator(r)) direct.push_back(&r);
        } else if (is_separator(r)) {
            popup->AppendSeparator();
        } else {
            popup->Append(r.id, menu_text(r.text));
        }
    }
    bool has_about = layout_.has_about;
    if (bar->GetMenuCount() == 0 && direct.empty() && !has_about) {
        delete bar;
        return;
    }
    frame_->SetMenuBar(bar);
    int position = 0;
    for (const ControlRecord* r : direct) {
        int id = r->id;
        add_bar_item(bar, from_wx(to_wx(r->text)), position++, false, [this, id] { notify_menu(id); });
    }
    if (has_about) add_bar_item(bar, from_wx(to_wx(layout_.about_item)), -1, true, [this] { notify_menu(kAboutId); });
}

void WxUi::paint(wxWindow* canvas) {
    wxPaintDC dc(canvas);
    dc.SetBackground(wxBrush(colour_of(layout_.background)));
    dc.Clear();
    if (picture_.IsOk()) dc.DrawBitmap(picture_, 0, 0);
    painted_ = true;
}

void WxUi::on_close(bool can_veto, bool& veto) {
    if (!destroyed_ && events_ && !events_->close_allowed() && can_veto) {
        veto = true;
        return;
    }
    destroy_window();
}

void WxUi::show_window() {
    if (!frame_ || destroyed_) return;
    frame_->Show();
    clear_focus(frame_);
}

void WxUi::run_message_loop() {
    if (!frame_ || destroyed_) return;
    wxGUIEventLoop loop;
    loop_ = &loop;
    loop.Run();
    loop_ = nullptr;
}

void WxUi::pump_messages() {
    if (wxTheApp) wxTheApp->Yield(true);
}

void WxUi::destroy_window() {
    if (!created_ || destroyed_) return;
    destroyed_ = true;
    if (events_) {
        ++depth_;
        events_->on_destroy();
        --depth_;
    }
    timer_.Stop();
    idle_timer_.Stop();
    for (ControlView& v : views_) {
        v.window = nullptr;
        v.parts.clear();
        v.entry = nullptr;
        v.items = nullptr;
        v.list = nullptr;
        v.off = nullptr;
    }
    if (frame_) {
        frame_->Destroy();
        frame_ = nullptr;
        canvas_ = nullptr;
    }
    if (loop_) loop_->Exit();
}

void WxUi::bring_to_front() {
    if (frame_ && !destroyed_) present_window(frame_);
}

void WxUi::set_window_title(std::string_view title) {
    if (frame_) frame_->SetTitle(to_wx(title));
}

void WxUi::move_window(int32_t x, int32_t y) {
    if (!frame_) return;
    frame_->Move(coordinate(x), coordinate(y));
    frame_->Refresh();
}

WindowPosition WxUi::window_position() {
    if (!frame_) return {};
    wxPoint p = frame_->GetPosition();
    return {p.x, p.y};
}

void WxUi::load_picture(std::string_view path) {
    wxImage image;
    picture_ = read_image(path, image) ? wxBitmap(image) : wxNullBitmap;
    if (canvas_) canvas_->Refresh();
}

void WxUi::notify(size_t control, int code) {
    if (quiet() || destroyed_ || !events_ || control >= views_.size()) return;
    ++depth_;
    events_->on_command(views_[control].record.id, code);
    --depth_;
}

void WxUi::notify_menu(int id) {
    if (destroyed_ || !events_) return;
    ++depth_;
    events_->on_command(id, 0);
    --depth_;
}

void WxUi::report_key(size_t control, int key) {
    if (destroyed_ || !events_) return;
    ++depth_;
    events_->on_key(control, key);
    --depth_;
}

void WxUi::fire_timer() {
    if (destroyed_ || !events_ || layout_.timer_ms == 0) return;
    ++depth_;
    events_->on_timer();
    --depth_;
}

std::optional<size_t> WxUi::find_view(std::string_view name) const {
    for (size_t i = 0; i < views_.size(); ++i)
        if (views_[i].record.kind != kMenu && platform::equals_ignore_case(views_[i].record.name, name)) return i;
    return std::nullopt;
}

std::optional<size_t> WxUi::view_of(const wxWindow* window) const {
    for (const wxWindow* w = window; w && w != canvas_; w = w->GetParent())
        for (size_t i = 0; i < views_.size(); ++i)
            if (std::find(views_[i].parts.begin(), views_[i].parts.end(), w) != views_[i].parts.end()) return i;
    return std::nullopt;
}

void WxUi::play_wave(std::string_view path) {
    platform::play_wave(std::string(path), [this] { pump_messages(); });
}

}  // namespace dok
