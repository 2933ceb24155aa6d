#include "data_paths.hpp"

#include "files.hpp"
#include "paths.hpp"
#include "text_file.hpp"

namespace platform {

bool is_readable_file(std::string_view path) {
    TextReader reader;
    return is_regular_file(path) && reader.open(path);
}

std::string find_data_file(std::string_view name) {
    PathParts own = split_path(program_path());
    if (own.directory.empty()) return {};
    std::string folder = own.drive + own.directory;
    for (std::string path : {folder, folder + std::string(kInstalledDataFolder)}) {
        path += name;
        if (is_readable_file(path)) return path;
    }
    return {};
}

std::string pick_config_file(const std::string& beside, std::string_view name,
                             const std::vector<std::string>& folders) {
    if (is_readable_file(beside)) return beside;
    for (const std::string& folder : folders) {
        std::string path = folder + "/" + std::string(name);
        if (is_readable_file(path)) return path;
    }
    return beside;
}

std::string find_config_file(std::string_view extension) {
    PathParts own = split_path(program_path());
    std::string name = own.name + std::string(extension);
    return pick_config_file(join_path(own.drive, own.directory, own.name, extension), name, config_folders());
}

}  // namespace platform
