// The button bar: runs one INI file as a small tool window.
#pragma once

#include <string>
#include <vector>

#include "engine.hpp"
#include "platform/console.hpp"

namespace dok {

// args are the command-line words after the program name. Message boxes,
// dialogs and the window go through options.ui, or through a HeadlessUi on
// the console when it is null. Returns the exit code.
int run_dok(const std::vector<std::string>& args, platform::Console& con, const DokOptions& options = {});

}  // namespace dok

using dok::run_dok;
