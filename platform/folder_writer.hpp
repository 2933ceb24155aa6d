// Many files written into one folder, such as a series of pictures. The
// folder is listed once; each name then resolves ignoring case against that
// listing and the names written since, instead of a search of the folder for
// every file (which grows with the folder).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

class FolderWriter {
public:
    // Lists an existing folder; false when it is not a folder.
    bool open(std::string_view folder);

    // Creates the file in the folder, or replaces the entry that has its
    // name ignoring case, with data; false when it cannot be written.
    bool write(std::string_view name, std::string_view data);

    // The folder as given, a separator, and the name last written.
    const std::string& last_path() const { return last_path_; }

private:
    std::string folder_;       // as given, ending in a separator
    std::string host_folder_;  // resolved, ending in a separator
    std::unordered_map<std::string, std::string> names_;  // folded name -> name in the folder
    std::string last_path_;
};

}  // namespace platform
