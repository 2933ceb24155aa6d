// The map file written at the end of a run.
#pragma once

#include <string>

namespace fell {

struct LinkState;

// The report: created files, loaded files and the sorted REF/DEF table.
std::string map_report(const LinkState& s);

}  // namespace fell
