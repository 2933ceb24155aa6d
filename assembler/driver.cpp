// Command line, files, configuration and the order of the run.
#include <string>
#include <vector>

#include "assembler_state.hpp"
#include "errors.hpp"
#include "listing_writer.hpp"
#include "object_writer.hpp"
#include "passes.hpp"
#include "platform/data_paths.hpp"
#include "platform/fd_io.hpp"
#include "platform/paths.hpp"
#include "platform/profile.hpp"
#include "source_reader.hpp"
#include "symbol_table.hpp"
#include "tarn.hpp"

namespace tarn {
namespace {

constexpr const char* kUsage =
    "Tarn CrossAssembler for TMS9900 assembly source code.\n\n"
    "Usage  : Tarn -I<input file> [-O<output file>] [-L[<list file>]] [Options]\n\n"
    "Example: Tarn -Imyprog.a99 -L -R -S\n\n"
    "Commands recognized by Tarn:\n"
    " -I filename    Input source file\n"
    " -O filename    Output object file\n"
    " -L filename    Output list file\n"
    "                If no output or list filename is defined, output\n"
    "                and list filename is same as input filename with\n"
    "                extensions '.obj' and '.lst'.\n\n"
    "Options:\n"
    " -R             Define registers R0 through R15\n"
    " -L             Create listfile\n"
    " -S             Add symbol table dump to list file\n"
    " -s             Add segment table dump to list file\n"
    " -C             Object file in compressed format\n"
    " -V             Verbose mode, show some info about the process\n";

void scan_options(AssemblerState& st, const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.size() < 2 || arg[0] != '-') continue;
        std::string rest = arg.substr(2);
        switch (arg[1]) {
            case 'I':
            case 'i':
                st.opt_input_name = rest;
                break;
            case 'O':
            case 'o':
                st.opt_output_name = rest;
                break;
            case 'L':
            case 'l':
                st.opt_list_name = rest;
                st.opt_list = true;
                break;
            case 'R':
            case 'r':
                st.opt_define_registers = true;
                break;
            case 'S':
                st.opt_symbol_dump = true;
                break;
            case 's':
                st.opt_segment_dump = true;
                break;
            case 'C':
            case 'c':
                st.opt_compressed = true;
                break;
            case 'V':
            case 'v':
                st.opt_verbose = true;
                break;
            default:
                break;
        }
    }
}

std::string derive_name(const std::string& input, const char* extension) {
    platform::PathParts p = platform::split_path(input);
    return platform::join_path(p.drive, p.directory, p.name, extension);
}

// Whether two names are one existing file (any spelling, or a second name of it).
bool same_file(const std::string& a, const std::string& b) {
    platform::FdInfo x, y;
    return platform::fd_stat(platform::resolve_path(a), x) == 0 && platform::fd_stat(platform::resolve_path(b), y) == 0 &&
           x.device == y.device && x.inode == y.inode;
}

void verbose_report(AssemblerState& st) {
    auto name = [](const std::optional<std::string>& n) { return n ? *n : std::string("null"); };
    auto yes = [](bool b) { return b ? "Yes" : "No"; };
    std::ostream& out = st.con.out;
    out << "* Source file name   : " << name(st.opt_input_name) << '\n';
    out << "* Object file name   : " << name(st.opt_output_name) << '\n';
    out << "* List file name     : " << name(st.opt_list_name) << '\n';
    out << "* Define registers   : " << yes(st.opt_define_registers) << '\n';
    out << "* Symbol table dump  : " << yes(st.opt_symbol_dump) << '\n';
    out << "* Segment table dump : " << yes(st.opt_segment_dump) << '\n';
    out << "* Compressed format  : " << yes(st.opt_compressed) << '\n';
    out << "* TARN Config file   : " << st.config_path << '\n';
    out << "* Extensions         : " << st.config_extensions << '\n';
    out << "* Include paths      : " << st.config_include << '\n';
}

void initial_segments(AssemblerState& st) {
    st.segment_table = {};
    st.segment_table[0] = SegmentEntry{"DORG", 0, 0, 0, 0, false};
    st.segment_table[1] = SegmentEntry{"AORG", 0, 1, 0, 0, false};
    st.segment_table[2] = SegmentEntry{"RORG", 0, 2, 0, 0, true};
    st.segment_table[3] = SegmentEntry{"$DATA", 0, 3, 0, 0, true};
    st.segment_table[4] = SegmentEntry{"$BLANK", 1, 4, 0, 0, true};
    st.segment_count = 5;
}

// Opens the files; false after a console message.
bool open_files(AssemblerState& st) {
    if (!st.opt_input_name || st.opt_input_name->empty()) {
        console_message(st, "No input file\n");
        return false;
    }
    const std::string& input = *st.opt_input_name;
    if (!st.source_file.open(input)) {
        console_message(st, "Can't open input file <" + input + ">\n");
        return false;
    }
    if (!st.opt_output_name || st.opt_output_name->empty()) st.opt_output_name = derive_name(input, ".obj");
    const std::string& object = *st.opt_output_name;
    // Never truncate the source by writing over it.
    if (same_file(object, input) ||
        !st.object_file.open(object, st.opt_compressed ? OutputFile::Mode::Raw : OutputFile::Mode::Text)) {
        console_message(st, "Can't open output file <" + object + ">\n");
        return false;
    }
    if (st.opt_list && (!st.opt_list_name || st.opt_list_name->empty())) st.opt_list_name = derive_name(input, ".lst");
    if (st.opt_list_name && st.opt_list) {
        const std::string& list = *st.opt_list_name;
        if (same_file(list, input) || same_file(list, object) ||
            !st.list_file.open(list, OutputFile::Mode::Text)) {
            console_message(st, "Can't open list file <" + list + ">\n");
            return false;
        }
    }
    return true;
}

void read_configuration(AssemblerState& st) {
    st.config_path = platform::find_config_file(".ini");
    st.config_extensions = platform::get_private_profile_string("CONFIG", "EXTENSIONS", "", st.config_path, 256);
    st.config_include = platform::get_private_profile_string("CONFIG", "INCLUDE", "", st.config_path, 256);
}

void between_passes(AssemblerState& st) {
    close_copy_files(st);
    st.source_file.rewind();
    st.end_seen = false;
    obj_begin_module(st, st.segment_table[kProgramSegment], st.idt_name);
    obj_write_segment_header(st, st.segment_table[kDataSegment]);
    for (int i = kBlankCommon; i < st.segment_count; ++i) obj_write_segment_header(st, st.segment_table[static_cast<size_t>(i)]);
    st.lst.page_line = 999;
    lst_page_check(st, true);
}

// Reports an output file that could not be written completely.
void close_output(AssemblerState& st, OutputFile& file, const char* what, const std::optional<std::string>& name) {
    if (!file.is_open()) return;
    if (!file.close()) {
        std::string text = std::string("Can't write ") + what + " file <" + name.value_or("") + ">\n";
        st.con.out << text;
        ++st.error_count;
    }
}

int assemble(AssemblerState& st, const std::vector<std::string>& args) {
    st.con.out << '*' << kBanner << ' ' << kVersion << "\n\n";
    if (args.empty() || args[0] == "?") {
        st.con.out << kUsage << '\n';
        return 1;
    }
    scan_options(st, args);
    if (!open_files(st)) return st.error_count ? 1 : 0;
    read_configuration(st);
    if (st.opt_verbose) verbose_report(st);

    sym_clear(st);
    if (st.opt_define_registers) sym_define_registers(st);
    initial_segments(st);
    reset_segments(st);
    run_pass(st, 1);
    between_passes(st);
    reset_segments(st);
    run_pass(st, 2);

    lst_undefined_symbols(st);
    if (st.opt_symbol_dump) lst_symbol_table(st);
    lst_error_total(st, st.error_count);
    if (st.opt_segment_dump) lst_segment_table(st);
    sym_console_dump(st);
    close_copy_files(st);
    st.source_file.close();
    close_output(st, st.list_file, "list", st.opt_list_name);
    close_output(st, st.object_file, "output", st.opt_output_name);
    return st.error_count ? 1 : 0;
}

}  // namespace
}  // namespace tarn

int run_tarn(const std::vector<std::string>& args, platform::Console& con) {
    tarn::AssemblerState st(con);
    try {
        return tarn::assemble(st, args);
    } catch (const tarn::FatalExit& e) {
        return e.code;
    }
}
