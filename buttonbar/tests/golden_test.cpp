// Runs every case folder of tests/golden in-process under the headless
// window: the folder's files are copied to a fresh directory, dok runs there
// with the arguments of "args" (default "dok.ini") and the input of
// "events", and its output, exit code and the files listed under
// expected/files are compared.
#include <gtest/gtest.h>

#include <sstream>

#include "dok.hpp"
#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace {

namespace fs = std::filesystem;

fs::path golden_dir() { return testkit::source_dir() / "buttonbar" / "tests" / "golden"; }

std::vector<std::string> split_args(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    fs::path dir = golden_dir() / GetParam();
    testkit::TempDir work;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().filename() == "expected") continue;
        fs::copy(e.path(), work / e.path().filename().string(), fs::copy_options::recursive);
    }
    std::string args_text = fs::exists(dir / "args") ? testkit::read_bytes(dir / "args") : "dok.ini";
    std::string events = fs::exists(dir / "events") ? testkit::read_bytes(dir / "events") : "";

    platform::set_program_path((testkit::source_dir() / "buttonbar" / "dok").string());
    std::istringstream in(events);
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    dok::DokOptions options;
    options.instance_dir = work.path().string();
    options.clock = [] { return dok::LocalTime{2026, 12, 7, 9, 5, 3, 1}; };
    int code;
    {
        testkit::ScopedCwd cwd(work.path());
        code = dok::run_dok(split_args(args_text), con, options);
    }
    platform::set_program_path("");

    fs::path expected = dir / "expected";
    EXPECT_EQ("", testkit::check_golden(expected / "stdout", out.str()));
    EXPECT_EQ("", testkit::check_golden(expected / "exit_code", std::to_string(code) + "\n"));
    if (fs::exists(expected / "files")) {
        for (const auto& e : fs::recursive_directory_iterator(expected / "files")) {
            if (!e.is_regular_file()) continue;
            fs::path rel = fs::relative(e.path(), expected / "files");
            fs::path actual = work / rel.string();
            ASSERT_TRUE(fs::exists(actual)) << rel << " was not written";
            EXPECT_EQ("", testkit::check_golden(e.path(), testkit::read_bytes(actual))) << rel;
        }
    }
    if (fs::exists(dir / "absent")) {
        std::istringstream names(testkit::read_bytes(dir / "absent"));
        std::string name;
        while (std::getline(names, name))
            if (!name.empty()) {
                EXPECT_FALSE(fs::exists(work / name)) << name << " should not exist";
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Dok, Golden, testing::ValuesIn(testkit::list_cases(golden_dir())),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
