// scree: a TI-99/4A that loads and runs what tarn and fell build.
#pragma once

#include <string>
#include <vector>

#include "platform/console.hpp"

namespace scree {

// The whole program: arguments without the program name; returns the
// exit code (0 done, 1 bad files or options, 3 --until-idle ran out of
// frames, 4 the CPU cannot go on).
int run_scree(const std::vector<std::string>& args, platform::Console& console);

}  // namespace scree
