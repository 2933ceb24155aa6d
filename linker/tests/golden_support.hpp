// Shared by the golden runners: folder snapshots and the comparison of a
// run's outputs with the files of an expected/ folder.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "testkit/testkit.hpp"

namespace golden {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

inline Files snapshot(const fs::path& root) {
    Files files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).generic_string()] = testkit::read_bytes(e.path());
    return files;
}

// Files of after that are new or changed since before.
inline Files changed(const Files& before, const Files& after) {
    Files out;
    for (const auto& [name, data] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != data) out[name] = data;
    }
    return out;
}

inline std::vector<std::string> lines_of(const fs::path& file) {
    std::vector<std::string> lines;
    if (!fs::exists(file)) return lines;
    std::istringstream in(testkit::read_bytes(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Copies the inputs of a case folder (all but the named control files).
inline void copy_inputs(const fs::path& from, const fs::path& to, const std::vector<std::string>& control) {
    for (const auto& e : fs::directory_iterator(from)) {
        std::string name = e.path().filename().string();
        if (name != "expected" && std::find(control.begin(), control.end(), name) == control.end())
            fs::copy(e.path(), to / name, fs::copy_options::recursive);
    }
}

// Every expected file must have been written with its contents, and nothing
// else; in update mode expected/ is rewritten instead.
inline void compare(const fs::path& expected, const Files& actual) {
    if (testkit::updating_golden()) {
        fs::remove_all(expected);
        for (const auto& [name, data] : actual) testkit::write_bytes(expected / name, data);
        return;
    }
    const Files wanted = fs::exists(expected) ? snapshot(expected) : Files{};
    for (const auto& [name, data] : wanted) {
        auto it = actual.find(name);
        if (it == actual.end()) {
            ADD_FAILURE() << name << ": expected output was not written";
            continue;
        }
        std::string diff = testkit::describe_difference(data, it->second);
        EXPECT_TRUE(diff.empty()) << name << ": " << diff;
    }
    for (const auto& [name, data] : actual) EXPECT_TRUE(wanted.count(name)) << name << ": unexpected output file";
}

inline std::string case_test_name(const ::testing::TestParamInfo<std::string>& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

}  // namespace golden
