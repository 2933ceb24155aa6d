// Fixed texts of morfex: usage, banner and verbose lines.
#pragma once

#include <ostream>
#include <string_view>

namespace morfex {

void write_usage(std::ostream& out);
void write_banner(std::ostream& out);

// "    <label> = <value>" line of the verbose report.
void write_verbose(std::ostream& out, std::string_view label, std::string_view value);

}  // namespace morfex
