#include "find_files.hpp"

#include "paths.hpp"
#include "shared.hpp"
#include "support.hpp"

namespace platform {

// Every entry of the folder is listed and matched here, on its long name, so
// that short (8.3) names never match and the rules are those of Linux too.
std::vector<FoundEntry> find_files(std::string_view pattern, bool with_dot_entries) {
    std::vector<FoundEntry> out;
    FileSearch search;
    if (!plan_search(pattern, search)) return out;
    std::string host_dir = search.folder;
    if (host_dir.back() != '/' && host_dir.back() != ':') host_dir += '/';
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((host_dir + "*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return out;
    const std::string& leaf = search.leaf;
    const bool wild = search.wild;
    do {
        std::string_view name = data.cFileName;
        bool dot_entry = name == "." || name == "..";
        // "." and ".." are found by name, and by wildcards only on request;
        // a drive's root folder has neither.
        if (dot_entry && wild && !(with_dot_entries && name == "..")) continue;
        if (wild ? !wildcard_match(leaf, name) : !equals_ignore_case(leaf, name)) continue;
        out.push_back({std::string(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(h, &data));
    FindClose(h);
    sort_found(out, search);
    return out;
}

}  // namespace platform
