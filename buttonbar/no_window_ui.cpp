// Builds without a windowing toolkit have no window; dok runs headless.
#include "window_ui.hpp"

namespace dok {

std::unique_ptr<Ui> make_window_ui(const WindowUiSettings&, std::string& error) {
    error = "this build of dok has no window";
    return nullptr;
}

}  // namespace dok
