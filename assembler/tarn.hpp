// The assembler as a library: one call assembles as the command line says.
#pragma once

#include <string>
#include <vector>

#include "platform/console.hpp"

// args are the command-line arguments after the program name. Reads tarn.ini
// beside platform::program_path(), else from the configuration folders
// (platform::find_config_file); returns the exit code (0, 1 or 12).
int run_tarn(const std::vector<std::string>& args, platform::Console& con);
