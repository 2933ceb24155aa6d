#include "data_paths.hpp"

#include "environment.hpp"
#include "shared.hpp"

namespace platform {

std::vector<std::string> config_folders() {
    if (!program_path_override().empty()) return {};
    std::vector<std::string> folders;
    std::optional<std::string> home = get_environment("XDG_CONFIG_HOME");
    if (home && !home->empty() && home->front() == '/')
        folders.push_back(*home);
    else if (std::optional<std::string> user = get_environment("HOME"); user && !user->empty())
        folders.push_back(*user + "/.config");
    folders.push_back("/etc");
    return folders;
}

}  // namespace platform
