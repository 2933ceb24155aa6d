// run_fell with the files that commands name taken from a given file system.
#pragma once

#include <string>
#include <vector>

#include "file_access.hpp"
#include "platform/console.hpp"

namespace fell {

int run_fell_with(const std::vector<std::string>& args, platform::Console& con, FileSystem& files);

}  // namespace fell
