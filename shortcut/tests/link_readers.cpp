#include "link_readers.hpp"

#include <sys/wait.h>

#include <cstdio>

#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace pinmaker_test {
namespace {

ReaderRun run(const std::string& command) {
    ReaderRun result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool is_desktop_entry(const std::filesystem::path& file) {
    std::string name = file.filename().string();
    return name.size() >= 8 && platform::equals_ignore_case(name.substr(name.size() - 8), ".desktop");
}

}  // namespace

ReaderRun read_back(const std::filesystem::path& file) {
    // The copy has a plain name the shell needs no quoting for; the
    // validator wants a lower-case extension.
    testkit::TempDir dir;
    bool desktop = is_desktop_entry(file);
    std::filesystem::path copy = dir / (desktop ? "check.desktop" : "check.lnk");
    testkit::write_bytes(copy, testkit::read_bytes(file));
    ReaderRun result = run((desktop ? "desktop-file-validate " : "lnkinfo ") + copy.string());
    if (result.status == 127) result.output = "reader not installed: " + result.output;
    return result;
}

std::string reader_complaint(const std::filesystem::path& file) {
    ReaderRun result = read_back(file);
    // The validator only warns about text that is not UTF-8.
    bool clean = result.output.find("error") == std::string::npos && result.output.find("UTF-8") == std::string::npos;
    if (result.status == 0 && clean) return {};
    return file.string() + ": exit " + std::to_string(result.status) + "\n" + result.output;
}

std::map<std::string, std::string> lnk_fields(const std::string& output) {
    std::map<std::string, std::string> fields;
    size_t pos = 0;
    while (pos < output.size()) {
        size_t end = output.find('\n', pos);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(pos, end - pos);
        pos = end + 1;
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        size_t first = line.find_first_not_of(" \t");
        size_t last = line.find_last_not_of(" \t", colon - 1);
        if (first >= colon || last == std::string::npos) continue;
        std::string value = line.substr(colon + 1);
        if (!value.empty() && value[0] == ' ') value.erase(0, 1);
        fields[line.substr(first, last - first + 1)] = value;
    }
    return fields;
}

}  // namespace pinmaker_test
