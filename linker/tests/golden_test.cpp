// Runs every case folder of golden/ in-process: the arguments of `cmd`
// (one a line) and the console input of `stdin` against a copy of the
// folder's files; the console text, the exit code and every file the run
// creates or changes must match expected/.
#include "golden_support.hpp"
#include "linker/fell.hpp"
#include "platform/paths.hpp"

namespace {

const golden::fs::path kCases = testkit::source_dir() / "linker" / "tests" / "golden";

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const golden::fs::path dir = kCases / GetParam();
    testkit::TempDir temp;
    golden::copy_inputs(dir, temp.path(), {"cmd", "stdin"});
    const golden::Files before = golden::snapshot(temp.path());

    std::istringstream in(golden::fs::exists(dir / "stdin") ? testkit::read_bytes(dir / "stdin") : "");
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    platform::set_drive_root('C', temp.path().string());
    int code;
    {
        testkit::ScopedCwd cwd(temp.path());
        code = run_fell(golden::lines_of(dir / "cmd"), con);
    }
    platform::set_drive_root('C', "");
    EXPECT_EQ(err.str(), "");

    golden::Files actual = golden::changed(before, golden::snapshot(temp.path()));
    actual["console.txt"] = out.str();
    actual["exit_code"] = std::to_string(code) + "\n";
    golden::compare(dir / "expected", actual);
}

INSTANTIATE_TEST_SUITE_P(Fell, Golden, ::testing::ValuesIn(testkit::list_cases(kCases)), golden::case_test_name);

}  // namespace
