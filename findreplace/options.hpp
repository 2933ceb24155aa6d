// Command line of morfex.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace morfex {

constexpr size_t kMaxNameLength = 259;    // characters of a file name
constexpr size_t kMaxStringLength = 511;  // characters of the find and replace strings

struct Options {
    std::string input_name;   // upper case
    std::string output_name;  // upper case; empty means the input name
    std::string find;         // escapes translated
    std::string replace;      // escapes translated
    bool quiet = false;
    bool verbose = false;
};

// \n, \r and \t become LF, CR and TAB, \\ one backslash; any other backslash
// stays as it is.
std::string translate_escapes(std::string_view value);

// Reads the arguments that follow the program name. Unknown options are
// reported on out and skipped; arguments that are no option are ignored.
Options parse_options(const std::vector<std::string>& args, std::ostream& out);

}  // namespace morfex
