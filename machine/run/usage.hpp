// The texts of --help and --version.
#pragma once

#include <string>

namespace scree {

std::string usage_text();
std::string version_text();

}  // namespace scree
