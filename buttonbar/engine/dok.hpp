// The button bar: runs one INI file as a small tool window.
#pragma once

#include <string>
#include <vector>

#include "engine.hpp"
#include "platform/console.hpp"

namespace dok {

// args are the command-line words after the program name. Message boxes,
// dialogs and the window go through ui. Returns the exit code.
int run_dok(const std::vector<std::string>& args, platform::Console& con, Ui& ui, const DokOptions& options = {});

}  // namespace dok

using dok::run_dok;
