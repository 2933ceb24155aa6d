#include "find_files.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "paths.hpp"
#include "search_results.hpp"

namespace platform {

std::vector<FoundEntry> find_files(std::string_view pattern, bool with_dot_entries) {
    std::vector<FoundEntry> out;
    PathParts parts = split_path(pattern);
    std::string leaf = parts.name + parts.extension;
    if (leaf.empty()) return out;
    std::string dir = parts.drive + parts.directory;
    std::string host_dir = dir.empty() ? std::string(".") : resolve_path(dir);
    DIR* d = opendir(host_dir.c_str());
    if (!d) return out;
    bool wild = leaf.find_first_of("*?") != std::string::npos;
    while (const dirent* e = readdir(d)) {
        std::string_view name = e->d_name;
        bool dot_entry = name == "." || name == "..";
        // "." and ".." are found by name, and by wildcards only on request.
        if (dot_entry && wild && !(with_dot_entries && name == "..")) continue;
        if (wild ? !wildcard_match(leaf, name) : !equals_ignore_case(leaf, name)) continue;
        std::string full = host_dir;
        if (full.back() != '/') full += '/';
        full += name;
        struct stat st;
        if (stat(full.c_str(), &st) != 0) continue;  // dangling link
        out.push_back({std::string(name), S_ISDIR(st.st_mode)});
    }
    closedir(d);
    if (with_dot_entries) {
        // ".." only when the directory has a parent.
        char* real = realpath(host_dir.c_str(), nullptr);
        bool root = real && std::string_view(real) == "/";
        free(real);
        if (root) std::erase_if(out, [](const FoundEntry& f) { return f.name == ".."; });
    }
    sort_found(out, leaf, wild);
    return out;
}

}  // namespace platform
