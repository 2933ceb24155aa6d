// File operations with the outcomes of their Windows counterparts. Names are
// Windows-style or host paths (resolved with resolve_path). A name to be
// created or written that holds '*' or '?' is refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Copies a regular file, replacing an existing target; keeps the source's
// permissions and last-write time. The target is written beside itself and
// renamed into place, so a failed copy leaves it untouched. Fails when both
// names are the same file.
bool copy_file(std::string_view from, std::string_view to);

// Moves a file or directory. Fails when the target exists (unless it is the
// same entry under another case). Across file systems a file is copied and
// then removed.
bool move_file(std::string_view from, std::string_view to);

// Deletes a file (not a directory).
bool delete_file(std::string_view path);

// Creates one directory (not its parents).
bool make_directory(std::string_view path);

// Removes an empty directory.
bool remove_directory(std::string_view path);

// Last-write time of a regular file that can be opened for reading, in
// nanoseconds since 1970; false when it cannot be opened.
bool last_write_time(std::string_view path, int64_t& nanoseconds);

// Writes text with '\n' as CR LF, appending or replacing the file.
bool write_text(std::string_view path, std::string_view text, bool append);

}  // namespace platform
