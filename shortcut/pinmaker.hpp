// Creates a shortcut to a program from command-line options.
#pragma once

#include <string>
#include <vector>

#include "platform/console.hpp"

// args: the words after the program name. Message boxes go to con.err.
// Returns 1 after the usage text, a failed check or a failed save, else 0.
int run_pinmaker(const std::vector<std::string>& args, platform::Console& con);
