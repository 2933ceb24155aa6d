// What the window needs of GTK and X11 below the toolkit: the display test,
// the style sheet, menu-bar items without a pop-up, real raising, and the
// count of input events received, which the event driver waits for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class wxMenuBar;
class wxWindow;

namespace dok {

// False, with the reason, when no display is named in the environment.
bool display_available(std::string& error);

// No toolkit warnings on standard error; before the toolkit starts.
void quiet_toolkit_reports();

// A list's scroll bars as a layout's height allows, drawn beside the rows
// as bars of their own (not laid over them only while the pointer is near).
void fit_scroll_bars(wxWindow* list, int height);

// A list keeps its selection, also none, when it takes the keyboard focus;
// GTK would select the first row.
void keep_selection_on_focus(wxWindow* list);

// The compact look of the bar's controls and the pale cyan tooltips.
void install_window_style();

// Gives a window (and everything in it) the bar's compact look.
void mark_bar(wxWindow* window);

// Puts an item at position (-1: the end) of the menu bar that runs activate
// when chosen straight from the bar; right: aligned to the right end of the
// bar. '&' marks a shortcut.
void add_bar_item(wxMenuBar* bar, const std::string& label, int position, bool right,
                  std::function<void()> activate);

// Leaves no control of a top-level window with the keyboard focus.
void clear_focus(wxWindow* window);

// Brings a top-level window to the front, restored, with the keyboard.
void present_window(wxWindow* window);

// The X window of a top-level window; 0 when not on X11 or not realized.
unsigned long x_window_of(wxWindow* window);

// Whether the display shows the window (its first expose came in).
bool is_mapped(wxWindow* window);

// Label of a check box, radio or push button: wrapped over several lines;
// or put on the left of the box.
void wrap_label(wxWindow* button);
void label_on_left(wxWindow* button);

// Counts the key and button releases that reach the program, as they come
// in, and the requests to close a window (counted by their handler).
void count_input_events();
void count_close_request();
uint64_t input_events_seen();

}  // namespace dok
