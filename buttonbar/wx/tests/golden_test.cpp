// Every case folder of engine/tests/golden against the real window: the events
// come as real input, message boxes and dialogs write the same transcript
// as the headless window. Where a window gives other notifications than
// the headless protocol (focus changes, one change per keystroke), the
// case keeps the window's transcript in expected/stdout.window.
#include "engine/tests/golden_case.hpp"
#include "engine/window_ui.hpp"

namespace {

class WindowGolden : public testing::TestWithParam<std::string> {};

TEST_P(WindowGolden, Case) {
    dok::test::check_case(
        GetParam(),
        [](const std::vector<std::string>& args, dok::DokOptions& options, std::istream& events, std::ostream& out) {
            dok::WindowUiSettings settings;
            settings.events = &events;
            settings.transcript = &out;
            std::string error;
            std::unique_ptr<dok::Ui> ui = dok::make_window_ui(settings, error);
            if (!ui) {
                ADD_FAILURE() << error;
                return -1;
            }
            std::istringstream in;
            std::ostringstream console, err;
            platform::Console con{in, console, err};
            return dok::run_dok(args, con, *ui, options);
        },
        "stdout.window");
}

INSTANTIATE_TEST_SUITE_P(Dok, WindowGolden, testing::ValuesIn(testkit::list_cases(dok::test::golden_dir())),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
