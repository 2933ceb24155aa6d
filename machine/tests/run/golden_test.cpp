// Runs every case folder of machine/tests/golden in-process: its .a99
// sources are assembled (tarn -R) and its .lnk files linked with fell, in
// name order; then scree runs with the arguments of `args` (one a line).
// Standard output, standard error, the exit code and every file the run
// writes must match expected/.
#include "linker/tests/golden_support.hpp"
#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

const golden::fs::path kCases = testkit::source_dir() / "machine" / "tests" / "golden";

void build_case(const golden::fs::path& dir) {
    std::vector<golden::fs::path> files;
    for (const auto& e : golden::fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const std::string ext : {".a99", ".lnk"}) {
        for (const auto& f : files) {
            if (f.extension() != ext) continue;
            const std::string stem = f.stem().string();
            const std::string text = testkit::read_bytes(f);
            const scree_test::ToolRun r =
                ext == ".a99" ? scree_test::assemble(dir, stem, text) : scree_test::link(dir, stem, text);
            ASSERT_EQ(r.code, 0) << f.filename() << ":\n" << r.console;
        }
    }
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    const golden::fs::path dir = kCases / GetParam();
    testkit::TempDir temp;
    golden::copy_inputs(dir, temp.path(), {"args"});
    build_case(temp.path());
    const golden::Files before = golden::snapshot(temp.path());

    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    int code;
    {
        testkit::ScopedCwd cwd(temp.path());
        code = scree::run_scree(golden::lines_of(dir / "args"), con);
    }
    golden::Files actual = golden::changed(before, golden::snapshot(temp.path()));
    actual["stdout"] = out.str();
    actual["stderr"] = err.str();
    actual["exit_code"] = std::to_string(code) + "\n";
    golden::compare(dir / "expected", actual);
}

INSTANTIATE_TEST_SUITE_P(Scree, Golden, ::testing::ValuesIn(testkit::list_cases(kCases)), golden::case_test_name);

}  // namespace
