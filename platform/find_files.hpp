// Directory search with Windows wildcard rules: '*' matches any run of
// characters, but "*." stops at the name's last dot; '?' matches one
// character other than a dot, and nothing at a dot or the end of the name;
// ".*" and ".?" also match a name without dot, so "*.*" matches every name;
// a trailing '.' matches names without extension. Names compare ignoring
// case. Directories match too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FoundEntry {
    std::string name;  // name within its directory
    bool is_directory = false;
};

// True when name matches the wildcard pattern (one path component).
bool wildcard_match(std::string_view pattern, std::string_view name);

// Entries of the pattern's directory whose names match its last component,
// sorted ignoring case. A pattern without wildcards finds the one entry it
// names (matched ignoring case). Wildcards do not match "." and ".."
// unless with_dot_entries is set (then ".." is listed for a directory that
// has a parent); named, they are found.
std::vector<FoundEntry> find_files(std::string_view pattern, bool with_dot_entries = false);

// True when find_files(pattern) finds anything.
bool find_any(std::string_view pattern);

}  // namespace platform
