// The shell link object: a shortcut to a program, built up by its setters
// and written by save. A name ending in ".desktop" (any case) gets a desktop
// entry; any other name a binary Windows shortcut (.lnk).
//
// Paths (target, working directory, icon) are kept in two forms: the Windows
// form stored in .lnk files, where "C:\Tools\tool.exe" stays as written and a
// host path "/usr/bin/tool" becomes "Z:\usr\bin\tool", and the host form of
// the file they name, used by desktop entries. Relative paths are made
// absolute against the current directory when they are set. All text is
// UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Strict UTF-8 to UTF-16: nullopt for malformed input (overlong forms,
// surrogates, values above U+10FFFF) or more than max_units code units.
std::optional<std::u16string> utf8_to_utf16(std::string_view text, size_t max_units = SIZE_MAX);
std::optional<std::string> utf16_to_utf8(std::u16string_view text);  // nullopt for lone surrogates

// What the file system says about one path component.
struct FileStamp {
    bool directory = false;
    uint64_t size = 0;
    // Nanoseconds since 1970-01-01 UTC; 0 = unknown.
    int64_t created = 0;
    int64_t accessed = 0;
    int64_t modified = 0;
};

// The stamp of an entry given by its host path; all zero when it cannot be read.
FileStamp file_stamp(const std::string& host);

struct LinkPath {
    std::string windows;              // "C:\dir\name"
    std::string host;                 // host path of the same entry
    std::vector<std::string> parts;   // components after the drive
    bool on_host = false;             // a host path, shown on drive Z:
};

class ShellLink {
public:
    // MAX_PATH without its terminator: the longest path, working directory,
    // icon location and description, in UTF-16 code units.
    static constexpr size_t kMaxPath = 259;
    // Arguments are counted in 16 bits in the file.
    static constexpr size_t kMaxArguments = 0xFFFF;

    // Each returns false, leaving the link unchanged, when the value cannot
    // be kept: malformed UTF-8, a control character in a path, too long.
    bool set_path(std::string_view target);
    bool set_arguments(std::string_view arguments);
    bool set_working_directory(std::string_view directory);  // empty clears it
    bool set_icon_location(std::string_view path, int index);  // empty path clears it
    bool set_description(std::string_view text);

    // Writes the shortcut file, replacing an existing one only on success.
    // False when it cannot be written or its format cannot hold the values.
    bool save(std::u16string_view name) const;

    // The bytes save would write for a file of that name (UTF-8), or nullopt.
    std::optional<std::string> contents(std::string_view name) const;

private:
    std::optional<std::string> lnk_contents(const std::optional<LinkPath>& link_file) const;
    std::optional<std::string> desktop_contents(std::string_view file_name) const;

    std::optional<LinkPath> target_;
    std::vector<FileStamp> target_stamps_;  // one per component of target_
    std::string arguments_;
    std::optional<LinkPath> working_directory_;
    std::optional<LinkPath> icon_;
    int icon_index_ = 0;
    std::string description_;
};

}  // namespace platform
