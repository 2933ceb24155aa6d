// Console and error-file output, file-name resolution and argument words.
#pragma once

#include <string>
#include <string_view>

#include "file_access.hpp"

namespace fell {

struct LinkState;

// An error: formatted (cut at 254 characters), written to standard output and
// to the error file when one is open, and counted.
void link_message(LinkState& s, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Informational output: standard output only, not counted.
void print(LinkState& s, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Reports the prefix "Too many open files, " when that was why an open failed.
void report_open_failure(LinkState& s, OpenFailure why);

// ".\name" and "./name" are taken relative to the linker file's folder.
std::string resolve_file_name(const LinkState& s, std::string_view name);

inline bool is_white(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline void skip_white(std::string_view text, size_t& pos) {
    while (pos < text.size() && is_white(text[pos])) ++pos;
}

// Value of a hexadecimal digit of either case; -1 for any other character.
inline int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Skips white space and copies the following word; returns the characters
// consumed, 0 when there is no word.
size_t read_token(std::string_view text, std::string& word);

// Name part of a file name (no directory, no extension).
std::string name_part(std::string_view file_name);

// A file record name: at most 39 characters.
std::string record_name(std::string_view name);

}  // namespace fell
