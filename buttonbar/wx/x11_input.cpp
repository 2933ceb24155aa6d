#include "wx/x11_input.hpp"

#include <chrono>
#include <thread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace dok {
namespace {

Display* as_display(void* d) { return static_cast<Display*>(d); }

// The code point of the UTF-8 sequence at text[pos] (Latin-1 for a byte
// that starts none); pos moves past it.
unsigned long next_code_point(std::string_view text, size_t& pos) {
    unsigned char c = static_cast<unsigned char>(text[pos++]);
    int more = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
    if (more == 0 || pos + more > text.size()) return c;
    unsigned long cp = c & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        unsigned char n = static_cast<unsigned char>(text[pos + k]);
        if ((n & 0xC0) != 0x80) return c;
        cp = (cp << 6) | (n & 0x3F);
    }
    pos += more;
    return cp;
}

unsigned long keysym_of(unsigned long cp) {
    if (cp == '\n' || cp == '\r') return XK_Return;
    if (cp == '\t') return XK_Tab;
    if (cp == 8) return XK_BackSpace;
    if (cp < 0x100) return cp;  // Latin-1 key symbols are the code points
    return 0x01000000 | cp;
}

}  // namespace

X11Input::X11Input() {
    // A virtual X server may refuse a connection that follows closely on
    // another one's end; it takes the next.
    Display* d = nullptr;
    for (int attempt = 0; attempt < 20 && !d; ++attempt) {
        if (attempt) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        d = XOpenDisplay(nullptr);
    }
    int event, error, major, minor;
    if (d && !XTestQueryExtension(d, &event, &error, &major, &minor)) {
        XCloseDisplay(d);
        d = nullptr;
    }
    display_ = d;
}

X11Input::~X11Input() {
    if (display_) XCloseDisplay(as_display(display_));
}

void X11Input::move(int x, int y) {
    if (!display_) return;
    XTestFakeMotionEvent(as_display(display_), -1, x, y, CurrentTime);
    XSync(as_display(display_), False);
}

int X11Input::click(int x, int y, bool twice) {
    if (!display_) return 0;
    Display* d = as_display(display_);
    // From outside, so that a window that came up under a resting pointer
    // sees it enter.
    XTestFakeMotionEvent(d, -1, DisplayWidth(d, DefaultScreen(d)) - 1, DisplayHeight(d, DefaultScreen(d)) - 1,
                         CurrentTime);
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    int count = twice ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
    }
    XSync(d, False);
    return count;
}

int X11Input::press(unsigned long keysym, bool shift, bool control) {
    Display* d = as_display(display_);
    KeyCode code = XKeysymToKeycode(d, keysym);
    int sent = 0;
    KeyCode spare = 0;
    if (code == 0) {
        // Borrow the highest key code without symbols for this one.
        int low, high, per;
        XDisplayKeycodes(d, &low, &high);
        KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(low), high - low + 1, &per);
        for (int k = high; k >= low && !spare; --k) {
            bool empty = true;
            for (int s = 0; s < per; ++s) empty &= map[(k - low) * per + s] == NoSymbol;
            if (empty) spare = static_cast<KeyCode>(k);
        }
        XFree(map);
        if (!spare) return 0;
        KeySym syms[2] = {keysym, keysym};
        XChangeKeyboardMapping(d, spare, 2, syms, 1);
        XSync(d, False);
        code = spare;
        shift = false;
    }
    KeyCode shift_code = XKeysymToKeycode(d, XK_Shift_L), control_code = XKeysymToKeycode(d, XK_Control_L);
    if (shift) XTestFakeKeyEvent(d, shift_code, True, CurrentTime);
    if (control) XTestFakeKeyEvent(d, control_code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    ++sent;
    if (control) XTestFakeKeyEvent(d, control_code, False, CurrentTime), ++sent;
    if (shift) XTestFakeKeyEvent(d, shift_code, False, CurrentTime), ++sent;
    XSync(d, False);
    if (spare) {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(d, spare, 2, none, 1);
        XSync(d, False);
    }
    return sent;
}

int X11Input::key(unsigned long keysym, bool control) {
    if (!display_) return 0;
    return press(keysym, false, control);
}

int X11Input::type(std::string_view text, size_t& pos) {
    if (!display_ || pos >= text.size()) return 0;
    Display* d = as_display(display_);
    unsigned long sym = keysym_of(next_code_point(text, pos));
    KeyCode code = XKeysymToKeycode(d, sym);
    bool shift = code != 0 && XkbKeycodeToKeysym(d, code, 0, 0) != sym && XkbKeycodeToKeysym(d, code, 0, 1) == sym;
    return press(sym, shift, false);
}

void X11Input::focus(unsigned long window) {
    if (!display_ || !window) return;
    XSetInputFocus(as_display(display_), window, RevertToParent, CurrentTime);
    XSync(as_display(display_), False);
}

namespace {

bool titled(Display* d, Window w, std::string_view title) {
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False), net_name = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool match = false;
    if (XGetWindowProperty(d, w, net_name, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
        data) {
        match = std::string_view(reinterpret_cast<char*>(data), count) == title;
        XFree(data);
    }
    return match;
}

Window find_titled(Display* d, Window w, std::string_view title, int depth) {
    if (titled(d, w, title)) return w;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (depth < 3 && XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned i = count; i-- > 0 && !found;) found = find_titled(d, children[i], title, depth + 1);
        if (children) XFree(children);
    }
    return found;
}

}  // namespace

unsigned long X11Input::find_window(std::string_view title) {
    if (!display_) return 0;
    Display* d = as_display(display_);
    return find_titled(d, DefaultRootWindow(d), title, 0);
}

int X11Input::close(unsigned long window) {
    if (!display_ || !window) return 0;
    Display* d = as_display(display_);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &e);
    XSync(d, False);
    return 1;
}

}  // namespace dok
