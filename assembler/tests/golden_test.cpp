// Runs every case folder of golden/: the inputs, an args file (one argument
// per line) and expected/ with console.txt, exit_code and the output files.
// expected/memory.txt belongs to the loader test (word_loader_test.cpp).
#include <gtest/gtest.h>

#include "tarn_test_support.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = testkit::source_dir() / "assembler" / "tests" / "golden";

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
    const fs::path dir = kCases / GetParam();
    tarn_test::Workspace ws;
    platform::set_program_path("tarn");  // tarn.ini in the case folder, named the same in every run
    tarn_test::Result r = tarn_test::run_case(ws, dir);
    const fs::path expected = dir / "expected";
    EXPECT_EQ(testkit::check_golden(expected / "console.txt", r.console), "");
    EXPECT_EQ(testkit::check_golden(expected / "exit_code", std::to_string(r.code) + "\n"), "");
    for (const auto& e : fs::directory_iterator(expected)) {
        std::string name = e.path().filename().string();
        if (name == "console.txt" || name == "exit_code" || name == "memory.txt") continue;
        ASSERT_TRUE(fs::exists(ws.path() / name)) << name << " was not written";
        EXPECT_EQ(testkit::check_golden(e.path(), ws.read(name)), "") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(testkit::list_cases(kCases)),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
