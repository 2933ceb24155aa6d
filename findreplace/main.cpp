#include <iostream>
#include <string>
#include <vector>

#include "findreplace/morfex.hpp"
#include "platform/console_device.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::ConsoleDevice device;
    platform::Console con{std::cin, std::cout, device.stream()};
    return run_morfex(args, con);
}
