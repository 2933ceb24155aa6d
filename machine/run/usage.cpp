#include "machine/run/usage.hpp"

namespace scree {

std::string usage_text() {
    return "Usage: scree [options] FILE...\n"
           "       scree [options] --cart FILE\n"
           "       scree --disassemble FILE...\n"
           "Loads program files (option 5) and object files (option 3) into a TI-99/4A\n"
           "with 32K memory expansion and runs them.\n"
           "\n"
           "  --entry NAME|>ADDR  start at a DEF or an address (default: the first file's);\n"
           "                      with --cart, a program of its list (default: the first)\n"
           "  --frames N          stop after N frames of machine time (default 600, 10 s)\n"
           "  --until-idle        stop when the program sits in a jump to itself\n"
           "  --screen            print the screen as text at the end\n"
           "  --png FILE          write the picture at the end to FILE (PNG, 256x192)\n"
           "  --png-every N DIR   write every Nth frame's picture into folder DIR as\n"
           "                      frame000060.png (the frame's number, six digits or more)\n"
           "  --wav FILE          write the run's sound to FILE (WAV, 44.1 kHz, machine time)\n"
           "  --stats             print instructions, cycles, frames, illegal opcodes and\n"
           "                      GPLLNK/XMLLNK errors on standard error at the end\n"
           "  --trace FILE        write every executed instruction to FILE\n"
           "  --dump >ADDR,>LEN   print memory as hex at the end (repeatable)\n"
           "  --keys TEXT         type TEXT on the keyboard, a key every 8 frames; in it\n"
           "                      {ENTER} {UP} {DOWN} {LEFT} {RIGHT} {DEL} {QUIT}...,\n"
           "                      {FCTN+3} {CTRL+A} {SHIFT+X}, {J1:LEFT+FIRE} {J2:UP},\n"
           "                      {x 20} held 20 frames, {WAIT 10}, @120 the next key\n"
           "                      at frame 120, {{} {}} {@} for { } @\n"
           "  --cart FILE         run a cartridge ROM image: 8 KB, or banks of 8 KB\n"
           "  --cart-order ORDER  inverted (fell's .M, .M-; the default) or normal (.M+)\n"
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
