// The system's shell link object, as a program that makes shortcuts uses it:
// on Windows the shell's own through COM (IShellLinkA and IPersistFile), on
// Linux ShellLink. Text is in the system's code page (UTF-8 on Linux).
#pragma once

#include <memory>
#include <string_view>

namespace platform {

class SystemShellLink {
public:
    SystemShellLink();
    ~SystemShellLink();
    SystemShellLink(const SystemShellLink&) = delete;
    SystemShellLink& operator=(const SystemShellLink&) = delete;

    // False when the object could not be made; every call then fails.
    bool created() const;

    // Each returns false, leaving the link unchanged, when the value cannot
    // be kept. Paths and the description hold at most 259 characters, and
    // paths no control characters.
    bool set_path(std::string_view target);
    bool set_arguments(std::string_view arguments);
    bool set_working_directory(std::string_view directory);
    bool set_icon_location(std::string_view path, int index);
    bool set_description(std::string_view text);

    // Writes the shortcut file; name is converted to UTF-16 and holds at
    // most 259 code units then.
    bool save(std::string_view name);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
