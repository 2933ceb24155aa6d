// Builds the shortcut through the shell link object.
#pragma once

#include <ostream>

#include "options.hpp"

namespace pinmaker {

// Sets every given value, reporting each setting that fails, then saves.
// Returns false (after its message) only when the file was not saved.
bool make_shortcut(const Options& options, std::ostream& messages);

}  // namespace pinmaker
