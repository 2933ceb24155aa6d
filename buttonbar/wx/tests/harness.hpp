// A bar in a real window, built from an INI text and driven step by step by
// the test: real input through the X server, the window's own events
// handled in between, and the screen read back pixel by pixel.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#include "engine/events.hpp"
#include "platform/single_instance.hpp"
#include "engine/interpreter.hpp"
#include "engine/loader.hpp"
#include "testkit/testkit.hpp"
#include "engine/tests/test_bar.hpp"
#include "wx/gtk.hpp"
#include "wx/toolkit.hpp"
#include "wx/ui.hpp"
#include "wx/x11_input.hpp"
#include "wx/message_box.hpp"

// Last: the X headers define names such as None.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace dok::test {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& o, const Rgb& c) {
    return o << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class WindowBar {
public:
    static bool& toolkit_started() {
        static bool started = false;
        return started;
    }

    explicit WindowBar(const std::string& ini) {
        std::string error;
        started = start_toolkit(error);
        toolkit_started() = started;
        if (!started) {
            ADD_FAILURE() << error;
            return;
        }
        testkit::write_bytes(dir / "t.ini", ini);
        ui = std::make_unique<WxUi>(WindowUiSettings{});
        dok = std::make_unique<Dok>(con_, *ui, options);
        load_test_bar(*dok, dir.path());
        dok->instance_key = dok->window.title;
        dok->window.about_item = "Over";
    }

    ~WindowBar() {
        if (ui && !ui->window_destroyed()) ui->destroy_window();
        pump(20);
    }

    // Creates the window, runs onload, shows it and waits for its first paint.
    // With claim, the window takes its instance key first, as the program does.
    bool open(bool claim = false) {
        if (!started) return false;
        bool first = claim && instance.claim(dok->instance_key, dir.path().string()) ==
                                  platform::SingleInstance::Result::First;
        events = std::make_unique<EngineEvents>(*dok, first ? &instance : nullptr);
        if (!ui->create_window(dok->window, dok->controls, *events)) return false;
        dok->window_created = true;
        run_routine(*dok, "onload");
        ui->show_window();
        return until([&] { return ui->painted() && is_mapped(ui->frame()); });
    }

    // Handles the window's events for a while, in an event loop as the
    // program's own.
    static void pump(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        until([&] { return std::chrono::steady_clock::now() >= end; }, ms + 1000);
    }

    // Handles events until done() holds; false after the time-out. Without
    // a toolkit there are no events to wait for: no loop could end.
    static bool until(const std::function<bool()>& done, int timeout_ms = 3000) {
        if (done()) return true;
        if (!toolkit_started()) return false;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        wxGUIEventLoop loop;
        CallbackTimer check;
        bool ok = false;
        check.tick = [&] {
            if (done()) ok = true;
            if (ok || std::chrono::steady_clock::now() > end) loop.Exit();
        };
        check.Start(2);
        loop.Run();
        check.Stop();
        return ok;
    }

    // Waits until the input sent so far has been handled.
    void settle(int sent) {
        expected_ += sent;
        until([&] { return input_events_seen() >= expected_; });
        pump(30);
    }

    void click(wxWindow* w) {
        wxRect r = w->GetScreenRect();
        settle(input.click(r.x + r.width / 2, r.y + r.height / 2));
    }

    void key(unsigned long keysym) {
        input.focus(x_window_of(ui->frame()));
        settle(input.key(keysym));
    }

    void type(const std::string& text) {
        input.focus(x_window_of(ui->frame()));
        for (size_t pos = 0; pos < text.size();) settle(input.type(text, pos));
    }

    wxWindow* control(const std::string& name) {
        auto i = ui->find_view(name);
        return i ? ui->views()[*i].window : nullptr;
    }

    std::string file(const std::string& name) {
        auto path = dir / name;
        return std::filesystem::exists(path) ? testkit::read_bytes(path) : std::string();
    }

    // The colour on the screen at a point of the client area.
    Rgb pixel(int x, int y) {
        wxPoint p = ui->canvas()->ClientToScreen(wxPoint(x, y));
        return screen_pixel(p.x, p.y);
    }

    static Rgb screen_pixel(int x, int y) {
        Rgb c;
        for_each_pixel(x, y, 1, 1, [&](int, int, Rgb p) { c = p; });
        return c;
    }

    // Reads a rectangle of the screen at once.
    static void for_each_pixel(int x, int y, int w, int h, const std::function<void(int, int, Rgb)>& f) {
        static Display* d = XOpenDisplay(nullptr);
        if (!d) return;
        XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, w, h, AllPlanes, ZPixmap);
        if (!image) return;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                unsigned long v = XGetPixel(image, i, j);
                f(x + i, y + j, Rgb{static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                                    static_cast<int>(v & 0xFF)});
            }
        XDestroyImage(image);
    }

    testkit::TempDir dir;
    testkit::ScopedCwd cwd{dir.path()};
    DokOptions options;
    bool started = false;
    std::unique_ptr<WxUi> ui;
    std::unique_ptr<Dok> dok;
    platform::SingleInstance instance;
    std::unique_ptr<EngineEvents> events;
    X11Input input;

private:
    std::istringstream in_;
    std::ostringstream out_, err_;
    platform::Console con_{in_, out_, err_};
    uint64_t expected_ = input_events_seen();
};

}  // namespace dok::test
