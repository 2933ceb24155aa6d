#include "find_files.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "paths.hpp"
#include "shared.hpp"

namespace platform {

std::vector<FoundEntry> find_files(std::string_view pattern, bool with_dot_entries) {
    std::vector<FoundEntry> out;
    FileSearch search;
    if (!plan_search(pattern, search)) return out;
    const std::string& host_dir = search.folder;
    const std::string& leaf = search.leaf;
    const bool wild = search.wild;
    DIR* d = opendir(host_dir.c_str());
    if (!d) return out;
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
    sort_found(out, search);
    return out;
}

}  // namespace platform
