// Runs every case folder of cases/: "args" holds one argument per line, "in/"
// the files the run starts with, "out/" every file expected afterwards,
// "stdout", "console" and "exit" the expected texts and exit code.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "findreplace/morfex.hpp"
#include "testkit/testkit.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> read_args(const fs::path& file) {
    std::vector<std::string> args;
    if (!fs::exists(file)) return args;
    std::string text = testkit::read_bytes(file);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        args.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return args;
}

std::set<std::string> files_in(const fs::path& dir) {
    std::set<std::string> names;
    if (!fs::is_directory(dir)) return names;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (!e.is_directory()) names.insert(fs::relative(e.path(), dir).string());
    return names;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const fs::path src = testkit::source_dir() / "findreplace/tests/cases" / GetParam();
    testkit::TempDir work;
    if (fs::is_directory(src / "in")) testkit::copy_tree(src / "in", work.path());
    for (const auto& name : files_in(work.path())) fs::permissions(work / name, fs::perms(0644));

    std::istringstream in;
    std::ostringstream out, console;
    platform::Console con{in, out, console};
    int code;
    {
        testkit::ScopedCwd cwd(work.path());
        code = run_morfex(read_args(src / "args"), con);
    }

    EXPECT_EQ(testkit::check_golden(src / "stdout", out.str()), "");
    EXPECT_EQ(testkit::check_golden(src / "console", console.str()), "");
    EXPECT_EQ(testkit::check_golden(src / "exit", std::to_string(code) + "\n"), "");
    std::set<std::string> actual = files_in(work.path());
    for (const auto& name : actual)
        EXPECT_EQ(testkit::check_golden(src / "out" / name, testkit::read_bytes(work / name)), "") << name;
    if (!testkit::updating_golden()) {
        EXPECT_EQ(files_in(src / "out"), actual);
    }
}

INSTANTIATE_TEST_SUITE_P(Morfex, Golden,
                         testing::ValuesIn(testkit::list_cases(testkit::source_dir() / "findreplace/tests/cases")),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
