// Runs every case folder of golden/: the inputs, an args file (one argument
// per line) and expected/ with console.txt, exit_code and the output files.
#include <gtest/gtest.h>

#include <fstream>

#include "tarn_test_support.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = testkit::source_dir() / "assembler" / "tests" / "golden";

std::vector<std::string> read_args(const fs::path& file) {
    std::vector<std::string> args;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        args.push_back(line);
    }
    return args;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
    const fs::path dir = kCases / GetParam();
    tarn_test::Workspace ws;
    platform::set_program_path("tarn");  // tarn.ini in the case folder, named the same in every run
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string name = e.path().filename().string();
        if (name == "expected" || name == "args") continue;
        fs::copy(e.path(), ws.path() / name, fs::copy_options::recursive);
    }
    tarn_test::Result r = ws.run(read_args(dir / "args"));
    const fs::path expected = dir / "expected";
    EXPECT_EQ(testkit::check_golden(expected / "console.txt", r.console), "");
    EXPECT_EQ(testkit::check_golden(expected / "exit_code", std::to_string(r.code) + "\n"), "");
    for (const auto& e : fs::directory_iterator(expected)) {
        std::string name = e.path().filename().string();
        if (name == "console.txt" || name == "exit_code") continue;
        ASSERT_TRUE(fs::exists(ws.path() / name)) << name << " was not written";
        EXPECT_EQ(testkit::check_golden(e.path(), ws.read(name)), "") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(testkit::list_cases(kCases)),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
