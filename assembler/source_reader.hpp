// Reading source lines through the stack of open COPY files.
#pragma once

#include <string>
#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

enum class ReadResult { Line, EndOfSource, SourceError, CopyError };

// Reads the next line into st.source_line (at most 255 characters, cut at
// its first NUL and line feed); a COPY file that ends returns reading to the
// file that named it.
ReadResult read_line(AssemblerState& st);

void close_copy_files(AssemblerState& st);

// The path a COPY name resolves to (substitution, extensions, include
// directories); the last path tried when none exists. open_name gets the
// name to open: the found file as the file system spells it.
std::string resolve_copy_name(AssemblerState& st, std::string_view name, std::string& open_name);

}  // namespace tarn
