// dok: the button bar in a window on the desktop (the host's: wx/ on
// Linux, win32/ on Windows); with DOK_UI=headless it runs the headless
// window's text protocol on the console instead.
#include <fstream>
#include <iostream>

#include "engine/dok.hpp"
#include "engine/window_ui.hpp"
#include "headless/run.hpp"
#include "platform/environment.hpp"
#include "platform/paths.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(true);
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    auto mode = platform::get_environment("DOK_UI");
    if (mode && platform::equals_ignore_case(*mode, "headless")) return dok::run_headless(args, con);

    dok::WindowUiSettings settings;
    std::ifstream events;
    if (auto path = platform::get_environment("DOK_EVENTS")) {
        events.open(*path, std::ios::binary);
        if (!events) {
            std::cerr << "dok: cannot read the events file " << *path << "\n";
            return 1;
        }
        settings.events = &events;
        settings.transcript = &std::cout;
    }
    std::string error;
    std::unique_ptr<dok::Ui> ui = dok::make_window_ui(settings, error);
    if (!ui) {
        std::cerr << "dok: " << error << "; set DOK_UI=headless to run without a window\n";
        return 1;
    }
    return run_dok(args, con, *ui);
}
