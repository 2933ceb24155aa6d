// Runs every folder of shortcut/tests/cases in-process:
//   args            one argument per line
//   input/          copied into the working folder, which is also drive C:
//   expected/stderr, expected/exit_code
//   expected/files/ every file the run must create; in desktop entries the
//                   working folder is written @ROOT@
// Each file created is also read back with its independent reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "link_readers.hpp"
#include "platform/paths.hpp"
#include "shortcut/pinmaker.hpp"
#include "testkit/testkit.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = testkit::source_dir() / "shortcut" / "tests" / "cases";

std::vector<std::string> read_args(const fs::path& file) {
    std::vector<std::string> args;
    std::istringstream in(fs::exists(file) ? testkit::read_bytes(file) : "");
    for (std::string line; std::getline(in, line);) args.push_back(line);
    return args;
}

std::set<std::string> files_under(const fs::path& root) {
    std::set<std::string> files;
    if (!fs::is_directory(root)) return files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files.insert(fs::relative(e.path(), root).generic_string());
    return files;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const fs::path dir = kCases / GetParam();
    testkit::TempDir work;
    if (fs::exists(dir / "input")) testkit::copy_tree(dir / "input", work.path());
    std::set<std::string> before = files_under(work.path());

    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    int code;
    {
        testkit::ScopedCwd cwd(work.path());
        platform::set_drive_root('C', work.path().string());
        code = run_pinmaker(read_args(dir / "args"), con);
        platform::set_drive_root('C', "");
    }
    EXPECT_EQ(out.str(), "");
    std::string problem = testkit::check_golden(dir / "expected" / "stderr", err.str());
    EXPECT_TRUE(problem.empty()) << problem;
    problem = testkit::check_golden(dir / "expected" / "exit_code", std::to_string(code) + "\n");
    EXPECT_TRUE(problem.empty()) << problem;

    std::set<std::string> created;
    std::ranges::set_difference(files_under(work.path()), before, std::inserter(created, created.end()));
    const fs::path expected = dir / "expected" / "files";
    if (!testkit::updating_golden()) {
        EXPECT_EQ(created, files_under(expected));
    }
    for (const std::string& name : created) {
        std::string bytes = testkit::read_bytes(work / name);
        if (name.ends_with(".desktop")) bytes = replace_all(bytes, work.path().string(), "@ROOT@");
        problem = testkit::check_golden(expected / name, bytes);
        EXPECT_TRUE(problem.empty()) << problem;
        problem = pinmaker_test::reader_complaint(work / name);
        EXPECT_TRUE(problem.empty()) << problem;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(testkit::list_cases(kCases)),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::ranges::replace_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });

}  // namespace
