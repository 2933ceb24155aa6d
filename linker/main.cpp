#include "fell.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    return run_fell(args, con);
}
