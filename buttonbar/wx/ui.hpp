// wx/: the window on wxWidgets and GTK 3 (Linux), with the X11 input by
// which DOK_EVENTS drives it (event_driver.hpp, x11_input.hpp). Includes the
// engine, platform/, wxWidgets, GTK and X11, never another window. gtk.hpp
// holds what must reach below the toolkit.
//
// The window on wxWidgets: a frame whose client area is a panel holding the
// controls at the INI's pixel positions. User actions reach the engine as
// the Windows notification codes of ui.hpp.
#pragma once

#include <wx/bitmap.h>
#include <wx/timer.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/tables.hpp"
#include "engine/ui.hpp"
#include "engine/window_ui.hpp"

class wxEventLoopBase;
class wxFrame;
class wxItemContainer;
class wxListBox;
class wxPanel;
class wxRadioButton;
class wxTextEntry;
class wxWindow;

namespace dok {

class EventDriver;
class EventScript;
class MessageDialog;

// A timer that runs a function.
class CallbackTimer : public wxTimer {
public:
    std::function<void()> tick;
    void Notify() override {
        if (tick) tick();
    }
};

// One control as it stands in the window.
struct ControlView {
    ControlRecord record;
    wxWindow* window = nullptr;          // the control (the edit field of a simple combo box)
    std::vector<wxWindow*> parts;        // every window of the control
    wxTextEntry* entry = nullptr;        // where typing goes: edits and combo boxes with an edit field
    wxItemContainer* items = nullptr;    // the list of list kinds
    wxListBox* list = nullptr;           // list box, or the list of a simple combo box
    wxRadioButton* off = nullptr;        // hidden partner that holds a radio button unchecked
    bool checked = false;
    std::string text;                    // window text of a list box
    bool replacing = false;              // typing replaces a selection: skip the deletion's change
    int dropped_selection = -1;          // selection when the drop-down list opened
};

class WxUi : public Ui {
public:
    explicit WxUi(const WindowUiSettings& settings);
    ~WxUi() override;
    WxUi(const WxUi&) = delete;
    WxUi& operator=(const WxUi&) = delete;

    int message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon,
                    bool owned) override;
    bool create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) override;
    void show_window() override;
    void run_message_loop() override;
    void pump_messages() override;
    void destroy_window() override;
    bool window_destroyed() const override { return destroyed_; }
    void bring_to_front() override;

    void set_window_title(std::string_view title) override;
    void move_window(int32_t x, int32_t y) override;
    WindowPosition window_position() override;
    void load_picture(std::string_view path) override;

    std::string control_text(size_t control) override;
    void set_control_text(size_t control, std::string_view text) override;
    bool checked(size_t control) override;
    void set_checked(size_t control, bool on) override;
    void enable(size_t control, bool on) override;
    void show(size_t control, bool on) override;
    void set_focus(size_t control) override;

    void list_reset(size_t control) override;
    int list_add(size_t control, std::string_view text) override;
    int list_delete(size_t control, int index) override;
    int list_select(size_t control, int index) override;
    int list_selection(size_t control) override;
    int list_count(size_t control) override;
    int list_find(size_t control, std::string_view prefix) override;
    std::optional<std::string> list_item(size_t control, int index) override;

    DialogResult file_dialog(const FileDialogRequest& request) override;
    DialogResult folder_dialog(std::string_view title, std::string_view initial_dir) override;
    void play_wave(std::string_view path) override;

    // The rest runs on the toolkit's thread only: the parts of the window
    // for the controls' event handlers, the event driver and the tests.
    void notify(size_t control, int code);     // WM_COMMAND from a control
    void notify_menu(int id);                  // WM_COMMAND from the menu
    void report_key(size_t control, int key);  // a key in a hooked control
    void fire_timer();
    std::optional<size_t> find_view(std::string_view name) const;
    std::optional<size_t> view_of(const wxWindow* window) const;

    wxFrame* frame() const { return frame_; }
    wxPanel* canvas() const { return canvas_; }
    std::vector<ControlView>& views() { return views_; }
    const WindowLayout& layout() const { return layout_; }
    bool painted() const { return painted_; }
    bool loop_running() const { return loop_ != nullptr; }
    bool dispatching() const { return depth_ > 0; }
    MessageDialog* open_box() const { return boxes_.empty() ? nullptr : boxes_.back(); }
    const wxBitmap& picture() const { return picture_; }
    // Runs an action from a timer of its own, outside the handling of any
    // other event, so that the message boxes it may open run loops that
    // handle everything else; actions run one after another.
    void run_soon(std::function<void()> action);
    bool actions_pending() const { return !actions_.empty() || running_action_; }
    // Changes made by the program itself notify nobody, as on Windows.
    bool quiet() const { return quiet_ > 0; }
    // A focus change that only gives the focus back after a message box.
    bool focus_returning(wxWindow* window);

private:
    friend class QuietChange;
    void build_menu(const ControlTable& controls);
    void paint(wxWindow* canvas);
    void on_close(bool can_veto, bool& veto);
    ControlView* view(size_t control);
    ControlView* list_view(size_t control);
    DialogResult scripted_path(std::string_view title, std::string_view initial);

    WindowUiSettings settings_;
    std::unique_ptr<EventScript> script_;
    std::unique_ptr<EventDriver> driver_;
    std::shared_ptr<bool> alive_;
    WindowEvents* events_ = nullptr;
    WindowLayout layout_;
    wxFrame* frame_ = nullptr;
    wxPanel* canvas_ = nullptr;
    std::vector<ControlView> views_;
    wxBitmap picture_;
    CallbackTimer timer_;       // ontime
    CallbackTimer idle_timer_;  // activation requests of a second program
    CallbackTimer action_timer_;
    std::deque<std::function<void()>> actions_;
    bool running_action_ = false;
    wxEventLoopBase* loop_ = nullptr;
    std::vector<MessageDialog*> boxes_;
    int box_serial_ = 0;
    int depth_ = 0;
    int quiet_ = 0;
    wxWindow* focus_before_box_ = nullptr;  // gets the focus back without a notification
    std::chrono::steady_clock::time_point box_closed_;
    bool created_ = false, destroyed_ = false, painted_ = false;
};

// Marks the changes of a scope as the program's own.
class QuietChange {
public:
    explicit QuietChange(WxUi& ui) : ui_(ui) { ++ui_.quiet_; }
    ~QuietChange() { --ui_.quiet_; }
    QuietChange(const QuietChange&) = delete;
    QuietChange& operator=(const QuietChange&) = delete;

private:
    WxUi& ui_;
};

// Builds the control of views[index] on the canvas and binds its events.
void create_control(WxUi& ui, size_t index);

// Sets the check mark of a radio or check box without a notification.
void set_mark(WxUi& ui, ControlView& v, bool on);

}  // namespace dok
