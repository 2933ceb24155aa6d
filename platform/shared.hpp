// What the Linux and the Windows implementations share; not part of the
// platform's interface.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "find_files.hpp"

namespace platform {

// paths.cpp: the root set with set_drive_root for the upper-case letter, or
// nullptr; the path set with set_program_path (empty when none).
const std::string* drive_root_override(char letter);
const std::string& program_path_override();

// find_files.cpp: a pattern taken apart for a search of one folder.
struct FileSearch {
    std::string leaf;    // the last component, wildcards and all
    std::string folder;  // host path of the folder searched
    bool wild = false;
};

// False for a pattern without last component.
bool plan_search(std::string_view pattern, FileSearch& search);

// Sorts ignoring case; without wildcards keeps the one entry the leaf names
// (the exact spelling first).
void sort_found(std::vector<FoundEntry>& out, const FileSearch& search);

// file_ops.cpp: Windows refuses to create or write names with wildcards.
bool has_wildcards(std::string_view path);
// The text with every '\n' as CR LF.
std::string with_crlf(std::string_view text);

// text_file_*.cpp: creates or truncates a file for OutFile, binary; nullptr
// with errno set when that fails.
std::FILE* create_output_stream(const std::string& host_path);

// single_instance.cpp: a short name for a key.
std::string instance_key_hash(std::string_view key);

}  // namespace platform
