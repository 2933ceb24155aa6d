#include "data_paths.hpp"

namespace platform {

// Windows programs keep their configuration beside themselves only.
std::vector<std::string> config_folders() { return {}; }

}  // namespace platform
