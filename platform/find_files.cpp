#include "find_files.hpp"

#include <algorithm>
#include <cctype>

#include "paths.hpp"
#include "shared.hpp"

namespace platform {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The pattern elements of a Windows search: '*' before a dot stops at the
// name's last dot, '?' matches nothing at a dot or the end of the name, and
// a dot before a wildcard may match the end of the name.
enum : char { kAnyRun = '*', kRunToLastDot = 1, kOneOrNone = 2, kDotOrEnd = 3 };

std::string search_elements(std::string_view pattern) {
    std::string p(pattern);
    bool ends_in_dot = false;
    while (p.size() > 1 && p.back() == '.') {  // a trailing dot is dropped from the name
        p.pop_back();
        ends_in_dot = true;
    }
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '.' && i > 0 && p[i - 1] == '*') p[i - 1] = kRunToLastDot;
        if (p[i] == '?' || p[i] == '*') {
            if (p[i] == '?') p[i] = kOneOrNone;
            if (i > 0 && p[i - 1] == '.') p[i - 1] = kDotOrEnd;
        }
    }
    if (ends_in_dot && p.back() == '*') p.back() = kRunToLastDot;
    return p;
}

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
    const std::string p = search_elements(pattern);
    const size_t np = p.size(), nn = name.size();
    const size_t last_dot = name.rfind('.');
    // ok[i * (nn + 1) + j]: elements i.. match the name from j on.
    std::vector<char> ok((np + 1) * (nn + 1), 0);
    auto at = [&](size_t i, size_t j) -> char& { return ok[i * (nn + 1) + j]; };
    at(np, nn) = 1;
    for (size_t i = np; i-- > 0;) {
        for (size_t j = nn + 1; j-- > 0;) {
            bool end = j == nn;
            char c = end ? '\0' : name[j];
            bool m;
            switch (p[i]) {
                case kAnyRun: m = at(i + 1, j) || (!end && at(i, j + 1)); break;
                case kRunToLastDot: m = at(i + 1, j) || (!end && j != last_dot && at(i, j + 1)); break;
                case kOneOrNone: m = end || c == '.' ? at(i + 1, j) : at(i + 1, j + 1); break;
                case kDotOrEnd: m = end ? at(i + 1, j) : c == '.' && at(i + 1, j + 1); break;
                default: m = !end && lower(p[i]) == lower(c) && at(i + 1, j + 1); break;
            }
            at(i, j) = m;
        }
    }
    return at(0, 0);
}

bool plan_search(std::string_view pattern, FileSearch& search) {
    PathParts parts = split_path(pattern);
    search.leaf = parts.name + parts.extension;
    if (search.leaf.empty()) return false;
    std::string dir = parts.drive + parts.directory;
    search.folder = dir.empty() ? std::string(".") : resolve_path(dir);
    search.wild = search.leaf.find_first_of("*?") != std::string::npos;
    return true;
}

void sort_found(std::vector<FoundEntry>& out, const FileSearch& search) {
    std::sort(out.begin(), out.end(), [](const FoundEntry& a, const FoundEntry& b) {
        std::string la, lb;
        for (char c : a.name) la += lower(c);
        for (char c : b.name) lb += lower(c);
        return la != lb ? la < lb : a.name < b.name;
    });
    // Without wildcards a name matches one entry only.
    if (!search.wild && out.size() > 1) {
        auto exact = std::find_if(out.begin(), out.end(), [&](const FoundEntry& f) { return f.name == search.leaf; });
        FoundEntry keep = exact != out.end() ? *exact : out.front();
        out.assign(1, keep);
    }
}

bool find_any(std::string_view pattern) { return !find_files(pattern).empty(); }

}  // namespace platform
