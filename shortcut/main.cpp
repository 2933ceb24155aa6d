#include <string>
#include <vector>

#include "pinmaker.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    platform::Console con = platform::standard_console();
    return run_pinmaker(args, con);
}
