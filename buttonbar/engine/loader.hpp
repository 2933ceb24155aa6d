// Loading the INI file: window settings, control layout and variables.
#pragma once

#include "engine.hpp"

namespace dok {

// False when loading fails (the program then ends without a message). A
// malformed control line is reported and leaves the window without
// controls and variables.
bool load_ini(Dok& dok);

// Path with the current directory in front when it has neither drive nor
// directory.
std::string in_current_directory(std::string_view path);

}  // namespace dok
