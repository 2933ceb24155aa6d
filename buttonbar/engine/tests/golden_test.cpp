// Every case folder of tests/golden under the headless window, its events
// read from the console's input.
#include "golden_case.hpp"
#include "headless/run.hpp"

namespace {

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
    dok::test::check_case(GetParam(), [](const std::vector<std::string>& args, dok::DokOptions& options,
                                         std::istream& events, std::ostream& out) {
        std::ostringstream err;
        platform::Console con{events, out, err};
        return dok::run_headless(args, con, options);
    });
}

INSTANTIATE_TEST_SUITE_P(Dok, Golden, testing::ValuesIn(testkit::list_cases(dok::test::golden_dir())),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
