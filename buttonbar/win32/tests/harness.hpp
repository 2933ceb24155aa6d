// A bar in a real Win32 window, built from an INI text and driven by the
// test with the messages the user's actions produce; the window's messages
// are handled in between by the test's own loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <sstream>

#include "engine/events.hpp"
#include "engine/interpreter.hpp"
#include "engine/loader.hpp"
#include "testkit/testkit.hpp"
#include "engine/tests/test_bar.hpp"
#include "win32/ui.hpp"

namespace dok::test {

class Bar {
public:
    explicit Bar(const std::string& ini, WindowUiSettings settings = {}) {
        testkit::write_bytes(dir / "t.ini", ini);
        ui = std::make_unique<Win32Ui>(settings);
        dok = std::make_unique<Dok>(con_, *ui, options);
        load_test_bar(*dok, dir.path());
        dok->instance_key = dok->window.title;
        dok->window.about_item = "Over";
    }

    ~Bar() {
        if (ui && !ui->window_destroyed()) ui->destroy_window();
        pump(10);
    }

    // Creates the window, runs onload, shows it and waits for its first paint.
    bool open() {
        events = std::make_unique<EngineEvents>(*dok, nullptr);
        if (!ui->create_window(dok->window, dok->controls, *events)) return false;
        dok->window_created = true;
        run_routine(*dok, "onload");
        ui->show_window();
        return until([&] { return ui->painted(); });
    }

    // Handles the thread's messages until done() holds; false after the time-out.
    static bool until(const std::function<bool()>& done, int timeout_ms = 3000) {
        ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
        for (;;) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            if (done()) return true;
            if (GetTickCount64() > end) return false;
            Sleep(2);
        }
    }

    static void pump(int ms) {
        ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
        until([&] { return GetTickCount64() >= end; }, ms + 1000);
    }

    HWND main() const { return ui->main_window(); }

    HWND control(const std::string& name) {
        ControlSlot* s = ui->find_slot(name);
        return s ? s->window : nullptr;
    }

    ControlSlot& slot(const std::string& name) { return *ui->find_slot(name); }

    std::string file(const std::string& name) {
        auto path = dir / name;
        return std::filesystem::exists(path) ? testkit::read_bytes(path) : std::string();
    }

    // The colour painted at a point of the client area.
    COLORREF pixel(int x, int y) {
        UpdateWindow(main());
        HDC dc = GetDC(main());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(main(), dc);
        return c;
    }

    testkit::TempDir dir;
    testkit::ScopedCwd cwd{dir.path()};
    DokOptions options;
    std::unique_ptr<Win32Ui> ui;
    std::unique_ptr<Dok> dok;
    std::unique_ptr<EngineEvents> events;

private:
    std::istringstream in_;
    std::ostringstream out_, err_;
    platform::Console con_{in_, out_, err_};
};

inline std::string class_of(HWND h) {
    char name[64] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
}

inline std::string text_of(HWND h) {
    char text[256] = "";
    GetWindowTextA(h, text, sizeof text);
    return text;
}

}  // namespace dok::test
