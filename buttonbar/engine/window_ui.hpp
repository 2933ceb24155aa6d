// The window on the desktop, as opposed to the headless protocol: the host's
// window folder (wx/ or win32/) makes it.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "ui.hpp"

namespace dok {

struct WindowUiSettings {
    // Event lines of the headless protocol, delivered to the window as the
    // user's input (DOK_EVENTS); the answers to message boxes and dialogs
    // come from the same lines. Null: the user drives the window.
    std::istream* events = nullptr;
    // With events: message boxes and dialogs are also written here as
    // "<title>: <text>", as the headless window writes them.
    std::ostream* transcript = nullptr;
};

// The window, or null with the reason in error when no display can be
// opened.
std::unique_ptr<Ui> make_window_ui(const WindowUiSettings& settings, std::string& error);

}  // namespace dok
