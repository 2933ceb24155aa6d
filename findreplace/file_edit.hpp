// One edit of one file: the input is read piece by piece and the result is
// written to a new file beside the output, which replaces the output only
// when it is complete and on the disk. Whatever fails, the input and any
// earlier output stay as they were.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "file_system.hpp"
#include "options.hpp"

namespace morfex {

struct EditOutcome {
    int exit_code = 1;    // 0 replaced, 1 nothing found, 2, 5 or 11 on errors
    uint64_t lines = 0;   // lines processed when it ended
    std::string deleted;  // the "$$$" backup that was deleted, if any
};

// Edits opt.input_name into opt.output_name (set); in place when the names
// are equal ignoring case. Error messages go to out.
EditOutcome edit_file(const Options& opt, FileSystem& fs, std::ostream& out);

// The backup name of an in-place edit: the input name with extension "$$$".
std::string backup_name(const std::string& input_name);

}  // namespace morfex
