// The independent readers of shortcut files: lnkinfo for .lnk files and
// desktop-file-validate for desktop entries.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace pinmaker_test {

struct ReaderRun {
    int status = -1;
    std::string output;
};

// Runs the reader that fits the file's name on a copy of it.
ReaderRun read_back(const std::filesystem::path& file);

// Empty when the reader accepts the file, else what it said.
std::string reader_complaint(const std::filesystem::path& file);

// The "key : value" lines of lnkinfo's report, last occurrence of each key.
std::map<std::string, std::string> lnk_fields(const std::string& output);

}  // namespace pinmaker_test
