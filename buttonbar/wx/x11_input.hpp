// Real input through the X server's test extension: the server sees a
// mouse and a keyboard, exactly as when a user works. Used from one thread
// on a connection of its own.
#pragma once

#include <string_view>

namespace dok {

class X11Input {
public:
    X11Input();
    ~X11Input();
    X11Input(const X11Input&) = delete;
    X11Input& operator=(const X11Input&) = delete;

    bool ok() const { return display_ != nullptr; }

    void move(int x, int y);
    // Each returns the number of key and button releases it sent.
    int click(int x, int y, bool twice = false);
    int key(unsigned long keysym, bool control = false);
    // One character of UTF-8 text at text[pos]; pos moves past it. Characters
    // that no key gives are typed through a spare key code.
    int type(std::string_view text, size_t& pos);

    // Keyboard input goes to the window.
    void focus(unsigned long window);
    // The top-level window with that title, or 0.
    unsigned long find_window(std::string_view title);
    // Asks the window to close, as a window manager does.
    int close(unsigned long window);

private:
    int press(unsigned long keysym, bool shift, bool control);
    void* display_ = nullptr;
};

}  // namespace dok
