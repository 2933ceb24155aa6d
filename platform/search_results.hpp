// The order every host's find_files returns its entries in.
#pragma once

#include <string_view>
#include <vector>

#include "find_files.hpp"

namespace platform {

// Sorts ignoring case; without wildcards keeps the one entry the leaf names
// (the exact spelling first).
void sort_found(std::vector<FoundEntry>& out, std::string_view leaf, bool wild);

}  // namespace platform
