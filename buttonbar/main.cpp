// Until a windowed interface exists, dok runs headless (as with DOK_UI=headless).
#include <iostream>

#include "dok.hpp"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(true);
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    return run_dok(args, con);
}
