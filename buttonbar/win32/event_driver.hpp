// DOK_EVENTS on Windows: the event lines delivered to the window as the
// messages a user's actions produce. A message-only window of the driver
// ticks on a timer on the window's own thread, so it also ticks inside the
// modal loops of message boxes. On each tick it answers an open message box
// (by a click on the button that the next line names), or, when the window
// is idle (its loop runs, it has been painted, no handler of the engine
// runs), performs the next line: clicks as BM_CLICK, typing as WM_CHAR to
// the focused edit field, Tab and Enter as WM_KEYDOWN, WM_CHAR and WM_KEYUP
// to the hooked window, list selections, menu choices, "timer" and "close"
// as the WM_COMMAND, WM_TIMER and WM_SYSCOMMAND that the list, the menu,
// the timer and the close box send. At the end of the lines the window is
// destroyed.
#pragma once

#include <windows.h>

#include <istream>
#include <string>

namespace dok {

class Win32Ui;
struct ControlSlot;
struct EventLine;

class Win32EventDriver {
public:
    Win32EventDriver(std::istream& events, Win32Ui& ui);
    ~Win32EventDriver();
    Win32EventDriver(const Win32EventDriver&) = delete;
    Win32EventDriver& operator=(const Win32EventDriver&) = delete;

    // The next event line without its CR; false at the end.
    bool next_line(std::string& line);

private:
    static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l);
    void tick();
    bool idle() const;
    void answer_box();
    void perform(const EventLine& e);
    void perform_on(const EventLine& e, ControlSlot& s);
    void type(ControlSlot& s, const std::string& text);
    void key(ControlSlot& s, int vk);
    void select(ControlSlot& s, int index, bool twice);
    void menu(const std::string& text);

    std::istream& events_;
    Win32Ui& ui_;
    HWND window_ = nullptr;
    bool performing_ = false;
    bool ended_ = false;
    int answered_ = 0;   // serial of the last box answered
    int answer_ = 0;     // and its answer
    int tries_ = 0;
};

}  // namespace dok
