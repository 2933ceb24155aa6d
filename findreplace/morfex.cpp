#include "morfex.hpp"

#include <cstdio>

#include "file_edit.hpp"
#include "options.hpp"
#include "platform/paths.hpp"
#include "texts.hpp"

namespace morfex {
namespace {

constexpr int kFileError = 11;

int reject(std::ostream& out, const std::string& message) {
    out << "*** " << message << '\n';
    return kFileError;
}

// Checks the command line before any file is touched; 0 when it is usable.
int check_names(const Options& opt, std::ostream& out) {
    if (!(platform::split_path(opt.input_name).flags & platform::kHasName))
        return reject(out, "No input filename entered <" + opt.input_name + ">");
    if (opt.input_name.size() > kMaxNameLength)
        return reject(out, "Inputfile name longer than " + std::to_string(kMaxNameLength) + " characters");
    if (opt.output_name.size() > kMaxNameLength)
        return reject(out, "Outputfile name longer than " + std::to_string(kMaxNameLength) + " characters");
    return 0;
}

int check_strings(const Options& opt, std::ostream& out) {
    // An empty find string would match without end.
    if (opt.find.empty()) return reject(out, "No findstring entered");
    if (opt.find.size() > kMaxStringLength)
        return reject(out, "Findstring longer than " + std::to_string(kMaxStringLength) + " characters");
    if (opt.replace.size() > kMaxStringLength)
        return reject(out, "Replacestring longer than " + std::to_string(kMaxStringLength) + " characters");
    return 0;
}

void write_error_line(std::ostream& con, int code, uint64_t lines) {
    char line[64];
    std::snprintf(line, sizeof line, "*** Error <%d> in File, regel %04llu", code,
                  static_cast<unsigned long long>(lines));
    con << line;
}

int run(const std::vector<std::string>& args, platform::Console& con, FileSystem& files) {
    if (args.empty()) {
        write_usage(con.err);
        con.err.flush();
        return 0;
    }
    Options opt = parse_options(args, con.out);
    if (!opt.quiet) write_banner(con.out);
    con.out.flush();

    EditOutcome outcome;
    outcome.exit_code = check_names(opt, con.out);
    if (outcome.exit_code == 0) {
        if (opt.output_name.empty()) opt.output_name = opt.input_name;
        if (opt.verbose) {
            write_verbose(con.err, "Inputfile", opt.input_name);
            write_verbose(con.err, "Outputfile", opt.output_name);
            write_verbose(con.err, "Findstring", opt.find);
            write_verbose(con.err, "Replacestring", opt.replace);
            write_verbose(con.err, "Verbose", "ON");
            con.err.flush();
        }
        outcome.exit_code = check_strings(opt, con.out);
        if (outcome.exit_code == 0) outcome = edit_file(opt, files, con.out);
    }
    con.out.flush();

    if (outcome.exit_code != 0 && outcome.exit_code != 1) write_error_line(con.err, outcome.exit_code, outcome.lines);
    if (opt.verbose && !outcome.deleted.empty()) write_verbose(con.err, "Deleted", outcome.deleted);
    if (opt.verbose) write_verbose(con.err, "Exitcode", std::to_string(outcome.exit_code));
    con.err.flush();
    return outcome.exit_code;
}

}  // namespace
}  // namespace morfex

int run_morfex(const std::vector<std::string>& args, platform::Console& con) {
    return morfex::run(args, con, morfex::host_file_system());
}

int run_morfex(const std::vector<std::string>& args, platform::Console& con, morfex::FileSystem& files) {
    return morfex::run(args, con, files);
}
