#include "fell.hpp"

#include <cctype>
#include <cerrno>
#include <memory>

#include "command_reader.hpp"
#include "link_message.hpp"
#include "link_state.hpp"
#include "map_report.hpp"
#include "platform/paths.hpp"
#include "run_fell.hpp"

namespace fell {
namespace {

OpenFailure last_open_failure() {
    return errno == EMFILE || errno == ENFILE ? OpenFailure::too_many_files : OpenFailure::failed;
}

bool open_report_file(LinkState& s, platform::OutFile& file, const std::string& name, const char* failure) {
    file.close();
    errno = 0;
    if (!file.open(name, platform::OutFile::Mode::Text)) {
        report_open_failure(s, last_open_failure());
        link_message(s, failure, name.c_str());
        return false;
    }
    file.write(kBanner);
    file.write("\n");
    return true;
}

// Handles the options; false when one names a file that cannot be opened.
bool read_options(LinkState& s, const std::vector<std::string>& args, platform::TextReader& linker_file,
                  bool& have_linker_file) {
    for (const std::string& arg : args) {
        if (arg.size() < 2 || arg[0] != '-') continue;
        const std::string name = arg.substr(2);
        switch (std::toupper(static_cast<unsigned char>(arg[1]))) {
        case 'L': {
            linker_file.close();
            errno = 0;
            if (!linker_file.open(name)) {
                report_open_failure(s, last_open_failure());
                link_message(s, "Can't open linker file <%s>\n", name.c_str());
                return false;
            }
            have_linker_file = true;
            platform::PathParts p = platform::split_path(name);
            s.linker_directory = p.drive + p.directory;
            break;
        }
        case 'E':
            if (!open_report_file(s, s.error_file, name, "Can't open error file <%s>\n")) return false;
            break;
        case 'M':
            if (!open_report_file(s, s.map_file, name, "Can't open map file <%s>\n")) return false;
            break;
        default:
            break;
        }
    }
    return true;
}

}  // namespace

int run_fell_with(const std::vector<std::string>& args, platform::Console& con, FileSystem& files) {
    con.out << kBanner << '\n';
    if (!args.empty() && args[0] == "?") {
        con.out << kUsage << std::flush;
        return 1;
    }
    auto state = std::make_unique<LinkState>(con, files);
    LinkState& s = *state;
    platform::TextReader linker_file;
    bool have_linker_file = false;
    if (!read_options(s, args, linker_file, have_linker_file)) {
        con.out << std::flush;
        return 1;
    }
    if (have_linker_file) {
        LinkerFileSource source(linker_file);
        run_commands(s, source);
    } else {
        PromptSource source(con.in, con.out);
        run_commands(s, source);
    }
    linker_file.close();
    s.error_file.close();
    if (!s.fatal && s.map_file.is_open()) s.map_file.write(map_report(s));
    s.map_file.close();
    con.out << std::flush;
    return s.error_count == 0 && !s.fatal ? 0 : 1;
}

}  // namespace fell

int run_fell(const std::vector<std::string>& args, platform::Console& con) {
    return fell::run_fell_with(args, con, fell::disk_file_system());
}
