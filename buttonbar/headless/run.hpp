// The button bar without a window: dok's engine in the headless window on
// the console, its events read from the console's input.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "platform/console.hpp"

namespace dok {

// As run_dok, with a HeadlessUi on con. Returns the exit code.
int run_headless(const std::vector<std::string>& args, platform::Console& con, const DokOptions& options = {});

}  // namespace dok
