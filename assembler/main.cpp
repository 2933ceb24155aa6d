#include <string>
#include <vector>

#include "assembler/tarn.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Console con = platform::standard_console();
    int code = run_tarn(args, con);
    con.out.flush();
    return code;
}
