// Fell, the TMS9900 linker: one run of the program, in-process.
#pragma once

#include <string>
#include <vector>

#include "platform/console.hpp"

// Runs the linker with the arguments after the program name and returns the
// exit code (0: no error message was written, 1: otherwise).
int run_fell(const std::vector<std::string>& args, platform::Console& con);
