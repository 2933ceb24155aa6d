// INI (profile) file services with the semantics of the Windows profile API:
// section and key names compare ignoring case, blanks around names and values
// are trimmed, a missing file or key gives the default, and writes keep the
// rest of the file intact and replace the file atomically.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Value of key in section, or def (trailing blanks cut) when absent. A value
// enclosed in matching single or double quotes loses them. The result is cut
// to size - 1 characters, as a buffer of size bytes would hold.
std::string get_private_profile_string(std::string_view section, std::string_view key,
                                       std::string_view def, std::string_view file,
                                       size_t size = 65536);

// The non-empty lines of a section in file order, comment lines (';')
// skipped, each trimmed of blanks at both ends. Cut as a double-NUL
// terminated list of size bytes would be.
std::vector<std::string> get_private_profile_section(std::string_view section, std::string_view file,
                                                     size_t size = 65536);

// The leading decimal number of a value (optional sign); def when the key is
// absent, 0 when the value is not a number.
int get_private_profile_int(std::string_view section, std::string_view key, int def,
                            std::string_view file);

// Sets key=value in section, creating section and file as needed. No value
// deletes the key; no key deletes the whole section.
bool write_private_profile_string(std::string_view section, std::optional<std::string_view> key,
                                  std::optional<std::string_view> value, std::string_view file);

// Replaces every line of a section with the given lines (each "key=value").
bool write_private_profile_section(std::string_view section, const std::vector<std::string>& lines,
                                   std::string_view file);

}  // namespace platform
