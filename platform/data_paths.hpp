// Where the programs find their data files and their configuration file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The data folder of an installed program, relative to the folder of its
// executable (bin/ and share/tms9900-toolchain/ under one prefix).
inline constexpr std::string_view kInstalledDataFolder = "../share/tms9900-toolchain/";

// True for a regular file that can be opened for reading.
bool is_readable_file(std::string_view path);

// The data file of that name beside the running program, else in the
// installed data folder; only readable regular files count. Empty when there
// is none, or when the program's own folder is unknown.
std::string find_data_file(std::string_view name);

// The folders that hold a user's and the system's configuration, in search
// order: on Linux $XDG_CONFIG_HOME (~/.config when it is unset or not an
// absolute path) and /etc; none on Windows. None either while a test has set
// the program path (set_program_path), so that no file of the machine's
// changes what the test sees.
std::vector<std::string> config_folders();

// beside when it is a readable regular file, else the first readable
// regular file named name in folders, else beside.
std::string pick_config_file(const std::string& beside, std::string_view name,
                             const std::vector<std::string>& folders);

// The running program's configuration file: its own name with extension,
// beside the program and then in config_folders() (pick_config_file).
std::string find_config_file(std::string_view extension);

}  // namespace platform
