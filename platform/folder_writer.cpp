#include "folder_writer.hpp"

#include <cctype>
#include <cstdio>

#include "files.hpp"
#include "find_files.hpp"
#include "paths.hpp"
#include "shared.hpp"

namespace platform {

namespace {

std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool FolderWriter::open(std::string_view folder) {
    if (!is_directory(folder)) return false;
    folder_ = folder;
    if (!folder_.empty() && !is_separator(folder_.back())) folder_ += '/';
    host_folder_ = resolve_path(folder);
    if (host_folder_.empty() || !is_separator(host_folder_.back())) host_folder_ += '/';
    names_.clear();
    for (const FoundEntry& entry : find_files(folder_ + "*")) {
        // Of names that differ only in case, the first in byte order, as
        // resolve_path chooses.
        auto [at, added] = names_.emplace(folded(entry.name), entry.name);
        if (!added && entry.name < at->second) at->second = entry.name;
    }
    return true;
}

bool FolderWriter::write(std::string_view name, std::string_view data) {
    last_path_ = folder_ + std::string(name);
    if (name.empty() || name.find_first_of("/\\*?") != std::string_view::npos) return false;
    const std::string& on_disk = names_.emplace(folded(name), std::string(name)).first->second;
    std::FILE* file = create_output_stream(host_folder_ + on_disk);
    if (!file) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace platform
