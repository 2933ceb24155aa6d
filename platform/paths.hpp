// Windows-style path handling on top of the host file system.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Flags returned by split_path.
enum SplitFlags : unsigned {
    kHasWildcards = 0x01,
    kHasExtension = 0x02,
    kHasName = 0x04,
    kHasDirectory = 0x08,
    kHasDrive = 0x10,
};

struct PathParts {
    std::string drive;      // "C:" or empty
    std::string directory;  // up to and including the last '\' or '/'
    std::string name;       // base name without extension
    std::string extension;  // from the last '.' of the name, dot included
    unsigned flags = 0;
};

// Splits a path at '\' and '/' separators, Windows fashion.
PathParts split_path(std::string_view path);

// Joins parts: a directory without trailing separator gets '\', an extension
// without leading dot gets '.'.
std::string join_path(std::string_view drive, std::string_view directory, std::string_view name,
                      std::string_view extension);

// Counts the last character of the name part up by one, as the files of a
// program chain are named (GAME1 -> GAME2). The path changes either way;
// false when the result names no file of the same folder and extension with
// a name part of the same length.
bool count_up_name(std::string& path);

// True when c separates directories ('\' or '/').
inline bool is_separator(char c) { return c == '\\' || c == '/'; }

// Maps a Windows or host path to a host path: '\' becomes '/', a drive letter
// "X:" becomes the root given by set_drive_root, else the environment variable
// TMS_DRIVE_X, else "/". Case is not touched.
std::string to_host_path(std::string_view path);

// Host path of an existing entry: every component that does not exist with
// its exact case resolves to the entry of its directory that matches it
// ignoring case. Components that match nothing are kept as written, so the
// result also names a file about to be created.
std::string resolve_path(std::string_view path);

// Overrides the root of a drive letter (tests); an empty root removes it.
void set_drive_root(char letter, std::string root);

// Full host path of the running program (from /proc/self/exe), or the value
// set with set_program_path.
std::string program_path();
void set_program_path(std::string path);

// Current working directory (host form, no trailing separator).
std::string current_directory();
bool set_current_directory(std::string_view path);

// Case-insensitive ASCII comparison helpers.
bool equals_ignore_case(std::string_view a, std::string_view b);
bool starts_with_ignore_case(std::string_view text, std::string_view prefix);

}  // namespace platform
