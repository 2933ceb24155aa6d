// Runs every case folder of golden/ in-process: the arguments of `cmd`
// (one a line) and the console input of `stdin` against a copy of the
// folder's files; the console text, the exit code and every file the run
// creates or changes must match expected/.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "linker/fell.hpp"
#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const fs::path kCases = testkit::source_dir() / "linker" / "tests" / "golden";
const std::set<std::string> kControlFiles = {"cmd", "stdin", "expected"};

Files snapshot(const fs::path& root) {
    Files files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).generic_string()] = testkit::read_bytes(e.path());
    return files;
}

std::vector<std::string> lines_of(const fs::path& file) {
    std::vector<std::string> lines;
    if (!fs::exists(file)) return lines;
    std::istringstream in(testkit::read_bytes(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const fs::path dir = kCases / GetParam();
    const fs::path expected = dir / "expected";
    testkit::TempDir temp;
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string name = e.path().filename().string();
        if (!kControlFiles.count(name)) fs::copy(e.path(), temp / name, fs::copy_options::recursive);
    }
    const Files before = snapshot(temp.path());

    std::istringstream in(fs::exists(dir / "stdin") ? testkit::read_bytes(dir / "stdin") : "");
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    platform::set_drive_root('C', temp.path().string());
    int code;
    {
        testkit::ScopedCwd cwd(temp.path());
        code = run_fell(lines_of(dir / "cmd"), con);
    }
    platform::set_drive_root('C', "");

    Files actual;
    for (auto& [name, data] : snapshot(temp.path())) {
        auto it = before.find(name);
        if (it == before.end() || it->second != data) actual[name] = data;
    }
    actual["console.txt"] = out.str();
    actual["exit_code"] = std::to_string(code) + "\n";
    EXPECT_EQ(err.str(), "");

    if (testkit::updating_golden()) {
        fs::remove_all(expected);
        for (auto& [name, data] : actual) testkit::write_bytes(expected / name, data);
        return;
    }
    const Files wanted = fs::exists(expected) ? snapshot(expected) : Files{};
    for (auto& [name, data] : wanted) {
        auto it = actual.find(name);
        if (it == actual.end()) {
            ADD_FAILURE() << name << ": expected output was not written";
            continue;
        }
        std::string diff = testkit::describe_difference(data, it->second);
        EXPECT_TRUE(diff.empty()) << name << ": " << diff;
    }
    for (auto& [name, data] : actual)
        EXPECT_TRUE(wanted.count(name)) << name << ": unexpected output file";
}

std::vector<std::string> all_cases() { return testkit::list_cases(kCases); }

INSTANTIATE_TEST_SUITE_P(Fell, Golden, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
