#include "find_files.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "paths.hpp"

namespace platform {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool match_from(std::string_view p, std::string_view n) {
    // Iterative matcher with one back-tracking point for the last '*'.
    size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (pi < p.size() && (p[pi] == '?' || lower(p[pi]) == lower(n[ni]))) {
            ++pi;
            ++ni;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    // The name is used up: the rest of the pattern must be able to match
    // nothing ('*', trailing '?', or a final '.').
    while (pi < p.size() && (p[pi] == '*' || p[pi] == '?')) ++pi;
    if (pi < p.size() && p[pi] == '.' && pi + 1 == p.size()) ++pi;
    return pi == p.size();
}

std::string directory_of(const PathParts& parts) { return parts.drive + parts.directory; }

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") return true;
    // "name." stands for a name without extension.
    if (pattern.size() > 1 && pattern.back() == '.' && pattern.find('.') == pattern.size() - 1 &&
        name.find('.') != std::string_view::npos)
        return false;
    if (match_from(pattern, name)) return true;
    // "*.ext" style patterns also match a name without dot when the part
    // after the dot can match nothing ("x.*" matches "x").
    size_t dot = pattern.rfind('.');
    if (dot != std::string_view::npos && name.find('.') == std::string_view::npos) {
        std::string_view tail = pattern.substr(dot + 1);
        if (tail.find_first_not_of("*?") == std::string_view::npos)
            return match_from(pattern.substr(0, dot), name);
    }
    return false;
}

std::vector<FoundEntry> find_files(std::string_view pattern, bool with_dot_entries) {
    std::vector<FoundEntry> out;
    PathParts parts = split_path(pattern);
    std::string leaf = parts.name + parts.extension;
    if (leaf.empty()) return out;
    std::string dir = directory_of(parts);
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
    std::sort(out.begin(), out.end(), [](const FoundEntry& a, const FoundEntry& b) {
        std::string la, lb;
        for (char c : a.name) la += lower(c);
        for (char c : b.name) lb += lower(c);
        return la != lb ? la < lb : a.name < b.name;
    });
    // Without wildcards a name matches one entry only.
    if (!wild && out.size() > 1) {
        auto exact = std::find_if(out.begin(), out.end(), [&](const FoundEntry& f) { return f.name == leaf; });
        FoundEntry keep = exact != out.end() ? *exact : out.front();
        out.assign(1, keep);
    }
    return out;
}

bool find_any(std::string_view pattern) { return !find_files(pattern).empty(); }

}  // namespace platform
