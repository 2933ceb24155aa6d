// headless/: the window without a window system, and the program's way of
// running the engine on the console (run.hpp). Includes the engine and
// platform/, never another window.
//
// A window system without windows: controls are records in memory, message
// boxes and dialogs are lines on the output, and user actions are lines on
// the input:
//   click <control>, type <control> <text>, select <control> <index>,
//   dblclick <control> <index>, key <control> tab|enter, menu <item text>,
//   timer, close.
// A message box writes "<title>: <text>"; with more than one button it reads
// its answer (OK, CANCEL, ABORT, RETRY, IGNORE, YES, NO) as the next line.
// A file or folder dialog writes "<title>: <initial name>" and reads the
// chosen path as the next line (empty or end of input cancels). At the end
// of the input the window closes.
#pragma once

#include <iosfwd>

#include "engine/tables.hpp"
#include "engine/ui.hpp"

namespace dok {

class HeadlessUi : public Ui {
public:
    HeadlessUi(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    int message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon,
                    bool owned) override;
    bool create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) override;
    void show_window() override {}
    void run_message_loop() override;
    void pump_messages() override {}
    void destroy_window() override;
    bool window_destroyed() const override { return destroyed_; }
    void bring_to_front() override {}

    void set_window_title(std::string_view) override {}
    void move_window(int32_t x, int32_t y) override { position_ = {x, y}; }
    WindowPosition window_position() override { return position_; }
    void load_picture(std::string_view) override {}

    std::string control_text(size_t control) override;
    void set_control_text(size_t control, std::string_view text) override;
    bool checked(size_t control) override;
    void set_checked(size_t control, bool on) override;
    void enable(size_t control, bool on) override;
    void show(size_t control, bool on) override;
    void set_focus(size_t) override {}

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
    void play_wave(std::string_view) override {}

    // Handles one input line (exposed for tests).
    void handle_event(std::string_view line);

private:
    struct Control {
        ControlRecord record;
        std::string text;
        bool checked = false, enabled = true, visible = true;
        std::vector<std::string> items;
        int selection = -1;
    };

    Control* get(size_t control) { return control < controls_.size() ? &controls_[control] : nullptr; }
    Control* list(size_t control);
    std::optional<size_t> find(std::string_view name) const;
    bool next_line(std::string& line);
    void click(size_t index);
    void type(size_t index, std::string_view text);
    void menu(std::string_view text);
    // Shows a dialog line and reads the chosen path.
    DialogResult ask_path(std::string_view title, std::string_view initial);

    std::istream& in_;
    std::ostream& out_;
    WindowEvents* events_ = nullptr;
    WindowLayout window_layout_;
    std::vector<Control> controls_;
    WindowPosition position_;
    bool created_ = false, destroyed_ = false;
};

}  // namespace dok
