#include "machine/run/usage.hpp"

namespace scree {

std::string usage_text() {
    return "Usage: scree [options] FILE...\n"
           "       scree --disassemble FILE...\n"
           "Loads program files (option 5) and object files (option 3) into a TI-99/4A\n"
           "with 32K memory expansion and runs them.\n"
           "\n"
           "  --entry NAME|>ADDR  start at a DEF or an address (default: the first file's)\n"
           "  --frames N          stop after N frames of machine time (default 600, 10 s)\n"
           "  --until-idle        stop when the program sits in a jump to itself\n"
           "  --screen            print the screen as text at the end\n"
           "  --stats             print instructions, cycles, frames and illegal opcodes\n"
           "                      on standard error at the end\n"
           "  --trace FILE        write every executed instruction to FILE\n"
           "  --dump >ADDR,>LEN   print memory as hex at the end (repeatable)\n"
           "  --keys TEXT         type TEXT on the keyboard, one key every few frames\n"
           "  --output FILE       write what goes to standard output into FILE instead\n"
           "  --disk N=FOLDER     map the disk drive DSKn. (N 1 to 9) onto FOLDER\n"
           "  --printer FILE      write what PIO and RS232 print into FILE, not to\n"
           "                      standard output\n"
           "  --disassemble       list the code of the files as tarn source (tarn -R)\n"
           "  --help, --version\n"
           "\n"
           "Exit codes: 0 the run ended as asked; 1 bad files or options; 3 --until-idle\n"
           "and the frames ran out first; 4 the CPU stopped where it cannot go on.\n";
}

std::string version_text() { return std::string("scree ") + SCREE_VERSION + "\n"; }

}  // namespace scree
