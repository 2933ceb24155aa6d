// The standard streams a program runs with; tests pass string streams.
#pragma once

#include <iostream>

namespace platform {

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

inline Console standard_console() { return Console{std::cin, std::cout, std::cerr}; }

}  // namespace platform
