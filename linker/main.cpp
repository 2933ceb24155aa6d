#include <iostream>

#include "fell.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    return run_fell(args, con);
}
