// The window system as the engine sees it. The engine builds a WindowLayout and
// the ControlTable, hands them to a Ui, and is told about user actions
// through WindowEvents, in the terms of the Windows notifications (command id
// and notification code) so that every implementation feeds the same event
// dispatch. Controls are addressed by their index in the ControlTable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dok {

struct ControlTable;

enum class BoxButtons { Ok, YesNo, OkCancel, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class BoxIcon { None, Error, Warning, Information, Question, Exclamation, Stop };

// Message box answers (the Windows IDOK ... IDNO values).
enum BoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7 };

constexpr int32_t kDefaultPosition = INT32_MIN;  // CW_USEDEFAULT
constexpr int kAboutId = 101;

struct WindowLayout {
    std::string title;       // also the instance key
    int32_t x = kDefaultPosition, y = kDefaultPosition;
    uint32_t width = 170, height = 220;
    bool has_caption = true, has_menu = true, has_about = true, always_on_top = false;
    std::string icon_path;     // empty: the system's default icon
    std::string bitmap_path;   // empty: no picture
    uint32_t background = 194 + 194 * 256 + 194 * 65536;  // red + green*256 + blue*65536
    uint32_t foreground = 255 * 65536;
    uint32_t timer_ms = 0;     // 0: no timer
    std::string about_item;    // text of the About menu item
};

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filter;  // description, pattern
    std::string initial_dir;
    std::string default_ext;
    uint32_t flags = 0;          // OFN_ flags, defaults already applied
    std::string initial_name;
};

struct DialogResult {
    enum class Outcome { Chosen, Cancelled, Failed } outcome = Outcome::Cancelled;
    std::string path;     // the chosen path
    uint32_t error = 0;   // dialog error code when Failed
};

struct WindowPosition {
    int32_t left = 0, top = 0;
};

// Notifications from the window system to the engine.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void on_command(int id, int code) = 0;           // WM_COMMAND
    virtual void on_key(size_t control, int virtual_key) = 0;  // key in a control
    virtual void on_timer() = 0;                               // timer id 1
    virtual void on_destroy() = 0;                             // window being destroyed
    virtual bool close_allowed() = 0;                          // false while waiting for a program
    virtual void on_idle() = 0;                                // between messages
};

class Ui {
public:
    virtual ~Ui() = default;

    // Message box; owned boxes belong to the main window. Returns a BoxAnswer.
    virtual int message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon,
                            bool owned) = 0;

    // Creates the hidden main window with its menu and controls.
    virtual bool create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) = 0;
    virtual void show_window() = 0;
    // Runs until the window is destroyed.
    virtual void run_message_loop() = 0;
    // Handles waiting window messages without blocking (while a program runs).
    virtual void pump_messages() = 0;
    virtual void destroy_window() = 0;
    virtual bool window_destroyed() const = 0;
    virtual void bring_to_front() = 0;

    virtual void set_window_title(std::string_view title) = 0;
    virtual void move_window(int32_t x, int32_t y) = 0;
    virtual WindowPosition window_position() = 0;
    // Replaces the picture; an unreadable file leaves none. Repaints.
    virtual void load_picture(std::string_view path) = 0;

    // Controls.
    virtual std::string control_text(size_t control) = 0;   // window text
    virtual void set_control_text(size_t control, std::string_view text) = 0;
    virtual bool checked(size_t control) = 0;
    virtual void set_checked(size_t control, bool on) = 0;
    virtual void enable(size_t control, bool on) = 0;
    virtual void show(size_t control, bool on) = 0;
    virtual void set_focus(size_t control) = 0;

    // Lists (drop-down, list box, combo box); -1 is the error value.
    virtual void list_reset(size_t control) = 0;
    virtual int list_add(size_t control, std::string_view text) = 0;
    virtual int list_delete(size_t control, int index) = 0;
    virtual int list_select(size_t control, int index) = 0;
    virtual int list_selection(size_t control) = 0;
    virtual int list_count(size_t control) = 0;
    virtual int list_find(size_t control, std::string_view prefix) = 0;
    virtual std::optional<std::string> list_item(size_t control, int index) = 0;

    // Dialogs and sound.
    virtual DialogResult file_dialog(const FileDialogRequest& request) = 0;
    virtual DialogResult folder_dialog(std::string_view title, std::string_view initial_dir) = 0;
    virtual void play_wave(std::string_view path) = 0;
};

}  // namespace dok
