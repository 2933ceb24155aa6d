// Process environment variables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Value of the variable, or nullopt when it is not set.
std::optional<std::string> get_environment(std::string_view name);

// Sets the variable for this process and the programs it starts. False for
// an empty name or one holding '=' or a NUL.
bool set_environment(std::string_view name, std::string_view value);

}  // namespace platform
