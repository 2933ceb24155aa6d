// Sources assembled by tarn and linked by fell. Each case folder of
// roundtrip/ lists its steps in `build` ("tarn <args>" or "fell <args>") and
// may name files to take from examples/ in `examples`. The assembler must
// succeed; what the linker runs print and write must match expected/.
#include <algorithm>

#include "assembler/tarn.hpp"
#include "golden_support.hpp"
#include "linker/fell.hpp"
#include "platform/paths.hpp"

namespace {

namespace fs = golden::fs;

const fs::path kCases = testkit::source_dir() / "linker" / "tests" / "roundtrip";

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

class RoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(RoundTrip, Case) {
    const fs::path dir = kCases / GetParam();
    testkit::TempDir temp;
    golden::copy_inputs(dir, temp.path(), {"build", "examples"});
    for (const std::string& name : golden::lines_of(dir / "examples"))
        fs::copy(testkit::source_dir() / "examples" / name, temp / name);
    platform::set_program_path((temp / "tarn").string());
    testkit::ScopedCwd cwd(temp.path());

    golden::Files actual;
    std::string console, codes;
    for (const std::string& line : golden::lines_of(dir / "build")) {
        std::vector<std::string> args = words(line);
        if (args.empty()) continue;
        const std::string program = args.front();
        args.erase(args.begin());
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        const golden::Files before = golden::snapshot(temp.path());
        if (program == "tarn") {
            ASSERT_EQ(run_tarn(args, con), 0) << line << "\n" << out.str();
            continue;
        }
        ASSERT_EQ(program, "fell");
        codes += std::to_string(run_fell(args, con)) + "\n";
        console += out.str();
        for (auto& [name, data] : golden::changed(before, golden::snapshot(temp.path()))) actual[name] = data;
    }
    platform::set_program_path("");
    actual["console.txt"] = console;
    actual["exit_codes"] = codes;
    golden::compare(dir / "expected", actual);
}

INSTANTIATE_TEST_SUITE_P(TarnFell, RoundTrip, ::testing::ValuesIn(testkit::list_cases(kCases)),
                         golden::case_test_name);

}  // namespace
