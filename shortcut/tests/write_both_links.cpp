// Writes the same shortcuts twice into the folder given: <case>-system.lnk
// through the system's shell link object and <case>-own.lnk through our own
// writer, for compare_links.sh to read back with lnkinfo.
#include <cstdio>
#include <string>

#include "platform/shell_link.hpp"
#include "platform/system_shell_link.hpp"
#include "testkit/testkit.hpp"

namespace {

struct Case {
    const char* name;
    std::string target, arguments, working_directory, icon, description;
    int icon_index = 0;
};

template <typename Link>
bool fill(Link& link, const Case& c) {
    bool ok = link.set_path(c.target);
    if (!c.arguments.empty()) ok = link.set_arguments(c.arguments) && ok;
    if (!c.working_directory.empty()) ok = link.set_working_directory(c.working_directory) && ok;
    if (!c.icon.empty()) ok = link.set_icon_location(c.icon, c.icon_index) && ok;
    if (!c.description.empty()) ok = link.set_description(c.description) && ok;
    return ok;
}

bool write_both(const std::string& folder, const Case& c) {
    platform::SystemShellLink system;
    platform::ShellLink own;
    std::string base = folder + "\\" + c.name;
    bool ok = system.created() && fill(system, c) && system.save(base + "-system.lnk");
    std::optional<std::u16string> name = platform::utf8_to_utf16(base + "-own.lnk");
    ok = fill(own, c) && name && own.save(*name) && ok;
    if (!ok) std::fprintf(stderr, "%s: could not be written\n", c.name);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_both_links <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    testkit::write_bytes(testkit::fs::path(folder) / "tool.exe", "MZ");
    testkit::write_bytes(testkit::fs::path(folder) / "icon.ico", "");
    const Case cases[] = {
        {"target-only", folder + "\\tool.exe", "", "", "", "", 0},
        {"every-field", folder + "\\tool.exe", "-v \"C:\\My Files\\in.txt\"", folder, folder + "\\icon.ico",
         "Runs the tool", 5},
        {"missing-target", "C:\\Tools\\tool.exe", "-x", "C:\\Tools", "C:\\Tools\\tool.exe", "Not there", -2},
    };
    bool ok = true;
    for (const Case& c : cases) ok = write_both(folder, c) && ok;
    return ok ? 0 : 1;
}
