// Settings of paths.hpp that every host's path code reads.
#pragma once

#include <string>

namespace platform {

// Root set with set_drive_root for the upper-case letter, or nullptr.
const std::string* drive_root_override(char letter);

// Path set with set_program_path; empty when none.
const std::string& program_path_override();

}  // namespace platform
