// The examples as a user runs them: tarn assembles, fell links with the
// example's own linker file, scree runs the program file.
#include <gtest/gtest.h>

#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

struct ScreeRun {
    int code = 0;
    std::string out;
    std::string err;
};

ScreeRun scree_in(const testkit::TempDir& dir, const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    testkit::ScopedCwd cwd(dir.path());
    ScreeRun r;
    r.code = scree::run_scree(args, con);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// Copies examples/<name>.a99 and .lnk into dir, assembles and links them.
void build_example(const testkit::TempDir& dir, const std::string& name) {
    const auto examples = testkit::source_dir() / "examples";
    const std::string source = testkit::read_bytes(examples / (name + ".a99"));
    const scree_test::ToolRun a = scree_test::assemble(dir.path(), name, source);
    ASSERT_EQ(a.code, 0) << a.console;
    const scree_test::ToolRun l = scree_test::link(dir.path(), name, testkit::read_bytes(examples / (name + ".lnk")));
    ASSERT_EQ(l.code, 0) << l.console;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(EndToEnd, HelloShowsItsGreetingOnRow12FromColumn10) {
    testkit::TempDir dir;
    build_example(dir, "hello");
    const ScreeRun r = scree_in(dir, {"--until-idle", "--screen", "HELLO"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> screen = lines(r.out);
    ASSERT_EQ(screen.size(), 24u);
    for (size_t row = 0; row < 24; ++row)
        EXPECT_EQ(screen[row], row == 12 ? std::string(10, ' ') + "HELLO, WORLD" : "") << "row " << row;
}

TEST(EndToEnd, KeysTypedWithKeysReachTheProgramThroughKscan) {
    testkit::TempDir dir;
    build_example(dir, "keys");
    const ScreeRun r = scree_in(dir, {"--until-idle", "--screen", "--keys", "TI99.", "KEYS"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> screen = lines(r.out);
    ASSERT_EQ(screen.size(), 24u);
    EXPECT_EQ(screen[2], "  TYPE KEYS, END WITH .");
    EXPECT_EQ(screen[4], "  TI99.");
    EXPECT_EQ(screen[6], "  5 KEYS");
}

// The README's cartridge: hello and the ROM program assembled, hellocart.lnk
// links both into a .M image, and the console starts it from its header.
TEST(EndToEnd, HelloAsACartridgeShowsItsGreeting) {
    testkit::TempDir dir;
    const auto examples = testkit::source_dir() / "examples";
    for (const std::string name : {"hello", "cartrom"}) {
        const scree_test::ToolRun a =
            scree_test::assemble(dir.path(), name, testkit::read_bytes(examples / (name + ".a99")));
        ASSERT_EQ(a.code, 0) << a.console;
    }
    const scree_test::ToolRun l = scree_test::link(dir.path(), "hellocart", testkit::read_bytes(examples / "hellocart.lnk"));
    ASSERT_EQ(l.code, 0) << l.console;
    for (const std::vector<std::string>& entry : {std::vector<std::string>{}, {"--entry", "hello"}}) {
        std::vector<std::string> args = {"--until-idle", "--screen", "--cart", "HELLOC.BIN"};
        args.insert(args.end(), entry.begin(), entry.end());
        const ScreeRun r = scree_in(dir, args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::vector<std::string> screen = lines(r.out);
        ASSERT_EQ(screen.size(), 24u);
        EXPECT_EQ(screen[12], std::string(10, ' ') + "HELLO, WORLD");
    }
}

}  // namespace
