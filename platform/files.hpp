// File services. Every name may be a Windows-style or host path; it is
// resolved with resolve_path first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

bool file_exists(std::string_view path);       // any entry, directories included
bool is_regular_file(std::string_view path);
bool is_directory(std::string_view path);

// Whole file as bytes; false when it cannot be read.
bool read_file(std::string_view path, std::string& data);

// Replaces the file with data: written to a temporary file beside it, flushed
// to disk and renamed over the old one, so the old contents survive any
// failure. Permissions of an existing file are kept.
bool write_file_atomic(std::string_view path, std::string_view data);

bool remove_file(std::string_view path);
bool rename_file(std::string_view from, std::string_view to);

}  // namespace platform
