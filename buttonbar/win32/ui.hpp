// win32/: the window on the Win32 API (Windows), with its DOK_EVENTS driver
// (event_driver.hpp). Includes the engine, platform/ and the Windows
// headers, never another window.
//
// The window on the Win32 API: a top-level window of a class named after the
// instance key, the menu bar, one child window per control, and an ANSI
// window procedure that hands WM_COMMAND, WM_TIMER, the key reports and
// WM_DESTROY to the engine. Texts are passed as the INI file's bytes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/tables.hpp"
#include "engine/ui.hpp"
#include "engine/window_ui.hpp"

namespace dok {

class Win32EventDriver;
class Win32Ui;

constexpr UINT kKeyReport = WM_USER + 1;  // wParam: virtual key, lParam: control index
constexpr UINT_PTR kTimerId = 1;

// One record of the ControlTable and its windows. Its address is stored in
// the GWLP_USERDATA of the control and of its hooked edit child.
struct ControlSlot {
    Win32Ui* ui = nullptr;
    size_t index = 0;
    ControlRecord record;
    HWND window = nullptr;     // none for menu items and failed creations
    HWND edit = nullptr;       // the edit child of a hooked drop-down or combo box
    HWND hooked = nullptr;     // the window whose procedure was replaced
    WNDPROC previous = nullptr;
    bool relay = false;        // buttons: mouse messages go to the tooltip
    bool tab = false, enter = false;  // keys reported
    bool digits = false;       // typing accepts digits and backspace only
};

class Win32Ui : public Ui {
public:
    explicit Win32Ui(const WindowUiSettings& settings);
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

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

    // For the parts of the window, the event driver and the tests.
    HWND main_window() const { return destroyed_ ? nullptr : window_; }
    HWND tooltip() const { return tooltip_; }
    HFONT font() const { return font_; }
    const WindowLayout& layout() const { return layout_; }
    std::vector<ControlSlot>& slots() { return slots_; }
    ControlSlot* slot(size_t control);
    ControlSlot* find_slot(std::string_view name);
    SIZE outer_size() const { return outer_; }
    bool painted() const { return painted_; }
    bool loop_running() const { return loop_depth_ > 0; }
    // A routine or another handler of the engine runs.
    bool dispatching() const { return depth_ > 0; }
    int open_boxes() const { return open_boxes_; }
    int box_serial() const { return box_serial_; }
    BoxButtons box_buttons() const { return box_buttons_; }
    Win32EventDriver* driver() const { return driver_.get(); }

    // Creates the tooltip window on first use and registers the button.
    void add_tooltip(ControlSlot& s);

private:
    friend LRESULT CALLBACK main_window_proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(HWND h, UINT m, WPARAM w, LPARAM l);
    bool register_class();
    bool on_create(HWND h);
    void on_destroy(HWND h);
    void paint(HWND h);
    LRESULT control_colour(HDC dc, bool transparent);
    void build_menu();
    void create_controls();
    void idle();
    template <typename F>
    void dispatch(F f);
    DialogResult scripted_path(std::string_view title, std::string_view initial);

    WindowUiSettings settings_;
    std::unique_ptr<Win32EventDriver> driver_;
    WindowEvents* events_ = nullptr;
    WindowLayout layout_;
    std::string class_name_;
    bool class_registered_ = false;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HBRUSH brush_ = nullptr;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr, previous_icon_ = nullptr;
    HBITMAP picture_ = nullptr;
    bool timer_running_ = false;
    SIZE outer_{0, 0};
    std::vector<ControlSlot> slots_;
    int depth_ = 0;
    int loop_depth_ = 0;
    int open_boxes_ = 0;
    int box_serial_ = 0;
    BoxButtons box_buttons_ = BoxButtons::Ok;
    bool created_ = false, destroyed_ = false, painted_ = false;
};

LRESULT CALLBACK main_window_proc(HWND h, UINT m, WPARAM w, LPARAM l);

// Installs the tooltip relay and the key hook of a created control (the
// tables of the key hooks), and stores the slot in the windows' user data.
void hook_control(ControlSlot& s);

// Gives the hooked window its previous procedure back.
void unhook_control(ControlSlot& s);

// A pixel count of the layout as the window functions take it.
int pixels(uint64_t v);

}  // namespace dok
