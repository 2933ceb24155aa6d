// Helpers for golden-file tests: temporary folders, whole-file reads and
// comparisons with a readable first difference.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

namespace fs = std::filesystem;

// Root of the source tree (for test data folders).
fs::path source_dir();

// A fresh folder under the system temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(std::string_view name) const { return path_ / name; }

private:
    fs::path path_;
};

// Changes the working directory for the lifetime of the object.
class ScopedCwd {
public:
    explicit ScopedCwd(const fs::path& dir);
    ~ScopedCwd();

private:
    fs::path old_;
};

std::string read_bytes(const fs::path& path);
void write_bytes(const fs::path& path, std::string_view data);

// Copies every file and folder of from into to (created as needed).
void copy_tree(const fs::path& from, const fs::path& to);

// Sorted names of the folders in dir.
std::vector<std::string> list_cases(const fs::path& dir);

// Empty when equal; else a description of the first difference (line and
// byte offset, both versions of the line, with CR and LF made visible).
std::string describe_difference(std::string_view expected, std::string_view actual);

// With TMS_UPDATE_GOLDEN=1 in the environment, golden comparisons write the
// actual output as the new expected file instead of failing.
bool updating_golden();

// Compares actual with the file at expected_path. Empty on success, else a
// message. In update mode it writes the file and succeeds.
std::string check_golden(const fs::path& expected_path, std::string_view actual);

}  // namespace testkit
