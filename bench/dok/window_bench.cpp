// The window: from start to the first painted window of a bar with all 210
// controls, and 10,000 button clicks dispatched through the window to a
// routine. Needs a display (scripts/bench.sh runs it under Xvfb).
#include <unistd.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/dok.hpp"
#include "wx/ui.hpp"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

std::string full_bar() {
    std::string ini = "[layout]\nwindow=[Bench] 10 10 640 480\n";
    struct Kind {
        const char* prefix;
        int count;
        const char* tail;
    };
    const Kind kinds[] = {{"static", 30, ""},         {"edit", 30, " [r]"},     {"button", 30, " [click]"},
                          {"radio", 30, " [r] [A]"},  {"check", 30, " [r] [A]"}, {"dropdown", 10, " [r]"},
                          {"listbox", 10, " [r]"},    {"combobox", 10, " [r]"},  {"groupbox", 10, ""}};
    int n = 0;
    for (const Kind& k : kinds)
        for (int i = 1; i <= k.count; ++i, ++n) {
            char line[160];
            std::snprintf(line, sizeof line, "%s%02d=[%s%d] [%d] %d %d 58 18%s\n", k.prefix, i, k.prefix, i, n,
                          (n % 10) * 62, (n / 10) * 22, k.tail);
            ini += line;
        }
    for (int i = 1; i <= 20; ++i) ini += "menu" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                                         (i == 1 ? "=[&Menu] [popup]\n" : "=[Item] [r]\n");
    ini += "[variables]\nint01=[clicks]\n[click]\n#set(clicks,#add(%clicks%,1))\n[r]\n#rem\n";
    return ini;
}

// Runs the bar in a window; measure() runs once the window is painted.
template <typename Measure>
void with_bar(const fs::path& dir, Measure measure) {
    std::ofstream(dir / "b.ini", std::ios::binary) << full_bar();
    std::string error;
    std::unique_ptr<dok::Ui> ui = dok::make_window_ui({}, error);
    if (!ui) {
        std::printf("no window: %s\n", error.c_str());
        return;
    }
    auto* wx = static_cast<dok::WxUi*>(ui.get());
    dok::CallbackTimer poll;
    poll.tick = [&] {
        if (!wx->painted() || !wx->loop_running()) return;
        poll.Stop();
        measure(*wx);
        wx->destroy_window();
    };
    poll.Start(1);
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    dok::DokOptions options;
    options.single_instance = false;
    run_dok({"b.ini"}, con, *ui, options);
}

}  // namespace

int main() {
    char pattern[] = "/tmp/dokwindowbench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    fs::path dir = pattern;
    fs::path old = fs::current_path();
    fs::current_path(dir);
    std::vector<double> starts;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        with_bar(dir, [&](dok::WxUi&) { starts.push_back(ms_since(start)); });
    }
    if (!starts.empty()) {
        std::printf("first painted window, 210 controls: %.1f ms (the first run, toolkit start included)\n", starts[0]);
        std::sort(starts.begin() + 1, starts.end());
        if (starts.size() > 1) std::printf("first painted window, 210 controls: %.1f ms (median of the later runs)\n",
                                           starts[starts.size() / 2 + 0]);
    }
    with_bar(dir, [&](dok::WxUi& ui) {
        wxWindow* button = ui.views()[*ui.find_view("button1")].window;
        auto start = Clock::now();
        for (int i = 0; i < 10000; ++i) {
            wxCommandEvent click(wxEVT_BUTTON, button->GetId());
            click.SetEventObject(button);
            button->ProcessWindowEvent(click);
        }
        double ms = ms_since(start);
        std::printf("10,000 clicks dispatched through the window to a routine: %.1f ms (%.1f us each)\n", ms,
                    ms * 1000.0 / 10000);
    });
    fs::current_path(old);
    fs::remove_all(dir);
    return 0;
}
