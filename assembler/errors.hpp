// Error queue, console messages and fatal exits.
#pragma once

#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

std::string_view error_message(int code);

// Queues code for the current statement (at most ten; code 0 is ignored).
void record_error(AssemblerState& st, int code);

// Writes text on the console and into the list file, and counts it as an error.
void console_message(AssemblerState& st, std::string_view text);

// Dumps the symbol table on the console, closes the files and leaves the run
// with the exit code.
[[noreturn]] void fatal_exit(AssemblerState& st, int code);

}  // namespace tarn
