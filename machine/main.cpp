#include <iostream>
#include <string>
#include <vector>

#include "machine/run/scree.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    const int code = scree::run_scree(args, con);
    con.out.flush();
    return code;
}
