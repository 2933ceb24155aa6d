// morfex: replaces every occurrence of a string in a text file.
#pragma once

#include <string>
#include <vector>

#include "findreplace/file_system.hpp"
#include "platform/console.hpp"

// Runs morfex with the arguments that follow the program name and returns
// the exit code. The banner and the "***" messages go to con.out; the texts
// meant for the console device (usage, verbose lines, the closing error
// line) go to con.err, which main binds to platform::ConsoleDevice.
int run_morfex(const std::vector<std::string>& args, platform::Console& con);

// The same with the file operations given (tests inject faults here).
int run_morfex(const std::vector<std::string>& args, platform::Console& con, morfex::FileSystem& files);
