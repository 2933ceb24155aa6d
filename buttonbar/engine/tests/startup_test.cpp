#include <gtest/gtest.h>

#include <sstream>

#include "headless/run.hpp"
#include "harness.hpp"
#include "platform/single_instance.hpp"

using namespace dok;

namespace {

struct RunResult {
    std::string out;
    int code;
};

RunResult run_in(const testkit::TempDir& dir, std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    DokOptions options;
    options.instance_dir = dir.path().string();
    testkit::ScopedCwd cwd(dir.path());
    int code = run_headless(args, con, options);
    return {out.str(), code};
}

}  // namespace

TEST(Startup, ArgumentsAreSplitAtBlanksInsideQuotes) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "a.ini", "[variables]\ncla01=[one]\ncla02=[two]\ncla03=[three]\ncla04=[four]\n"
                                        "[onload]\n#echo(%one%|%two%|%three%|[%four%])\n");
    EXPECT_EQ(run_in(dir, {"a.ini", "x y", "\tz"}).out, "Dok: a.ini|x|y|[z]\n");
    std::vector<std::string> eleven{"a.ini", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    EXPECT_EQ(run_in(dir, eleven).code, 0);
    eleven.back() = "11 12";
    RunResult r = run_in(dir, eleven);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, ": To many arguments!\n");
}

TEST(Startup, UnreadableIniFile) {
    testkit::TempDir dir;
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(run_in(dir, {"sub/folder.ini"}).out, "Dok: Message 2001\n");
    RunResult r = run_in(dir, {"./folder.ini"});
    EXPECT_EQ(r.out, "Dok: Message 2003\n");
    EXPECT_EQ(r.code, 0);
}

TEST(Startup, SecondInstanceEndsQuietly) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "a.ini", "[layout]\nwindow=[Same title] 1 2 3 4\n[onload]\n#echo(running)\n");
    platform::SingleInstance first;
    ASSERT_EQ(first.claim("Same title", dir.path().string()), platform::SingleInstance::Result::First);
    RunResult r = run_in(dir, {"a.ini"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(first.activation_requested());
    first.release();
    EXPECT_EQ(run_in(dir, {"a.ini"}).out, "Dok: running\n");
}

TEST(Loading, ControlTableIdsAndStyles) {
    test::Harness h(
        "[layout]\n"
        "button07=[ok] [OK] 5,5,60x20 [okclick] [Closes the bar]\n"
        "button09=[two] [2] 1 1 1 1 [r]\n"
        "radio01=[r] [R] 1 1 1 1 [r] [AFPRM]\n"
        "check01=[c] [C] 1 1 1 1 [r] [A]\n"
        "edit01=[e] [E] 1 1 1 1 [r] [RNCULM]\n"
        "dropdown01=[d] [] 1 1 1 1 [r] [RSULN]\n"
        "listbox01=[l] [] 1 1 1 1 [r] [s]\n"
        "menu05=[Quit] [quit]\n");
    ASSERT_TRUE(h.loaded);
    const auto& recs = h.dok->controls.records;
    ASSERT_EQ(recs.size(), 8u);
    EXPECT_EQ(recs[0].name, "e");  // kinds in table order
    const ControlRecord& ok = recs[*h.dok->controls.find("ok")];
    EXPECT_EQ(ok.id, 1300);
    EXPECT_EQ(ok.x, 5u);
    EXPECT_EQ(ok.width, 60u);
    EXPECT_EQ(ok.height, 20u);
    EXPECT_EQ(ok.options, "Closes the bar");
    EXPECT_EQ(recs[*h.dok->controls.find("two")].id, 1301);
    EXPECT_EQ(recs[0].style, 0x50800000u | 0x100 | 0x800 | 0x2000 | 0x1 | 0x8 | 0x10 | 0x4);
    EXPECT_EQ(recs[*h.dok->controls.find("r")].style, 0x50000000u | 9 | 0x8000 | 0x1000 | 0x20 | 0x2000);
    EXPECT_EQ(recs[*h.dok->controls.find("c")].style, 0x50000000u | 3);
    const ControlRecord& d = recs[*h.dok->controls.find("d")];
    EXPECT_EQ(d.style, 0x50200000u | 3 | 0x100 | 0x2000 | 0x4000);
    EXPECT_EQ(d.extra, 0x2000u);
    EXPECT_EQ(recs[*h.dok->controls.find("l")].style & 2u, 0u);  // option letters are upper case
    EXPECT_EQ(recs.back().id, 1900);
    EXPECT_EQ(recs.back().routine, "quit");
}

TEST(Loading, WindowSettings) {
    test::Harness h("[layout]\nwindow=[Title] 10,20 300x400\nHasMenu=no\nHasCaption=2\nAlwaysOnTop=true\n"
                    "bgcolor=256 1 2\nfgcolor=0,0,0\ntimer=250\n");
    ASSERT_TRUE(h.loaded);
    const WindowLayout& w = h.dok->window;
    EXPECT_EQ(w.title, "Title");
    EXPECT_EQ(w.x, 10);
    EXPECT_EQ(w.height, 400u);
    EXPECT_FALSE(w.has_menu);
    EXPECT_TRUE(w.has_caption);
    EXPECT_TRUE(w.always_on_top);
    EXPECT_EQ(w.background, 0u + 1 * 256 + 2 * 65536);
    EXPECT_EQ(w.foreground, 0u);
    EXPECT_EQ(w.timer_ms, 250u);
    EXPECT_FALSE(test::Harness("[layout]\nwindow=[T] 1 2 3\n").loaded);
    EXPECT_FALSE(test::Harness("[layout]\nfgcolor=1 2\n").loaded);
}

TEST(Loading, StringPoolAndVariables) {
    // Variable storage must stay below the end of the 8192-byte pool.
    EXPECT_FALSE(test::Harness("[variables]\nstr01=[big] 8190\n").loaded);
    EXPECT_TRUE(test::Harness("[variables]\nstr01=[big] 8000\n").loaded);
    // Layout texts that do not fit the pool are a layout error, not an overflow.
    std::string ini = "[layout]\n";
    for (int i = 1; i <= 30; ++i) ini += "static" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=[" +
                                         std::string(300, 'n') + "] [t] 1 1 1 1\n";
    test::Harness h(ini);
    EXPECT_TRUE(h.loaded);
    EXPECT_TRUE(h.dok->controls.records.empty());
    EXPECT_EQ(h.output(), "Dok: Message 4\n");
    // At most 40 variables in all; later kinds get the numbers that are left.
    std::string vars = "[variables]\n";
    for (int i = 1; i <= 39; ++i) vars += "int" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=[i" + std::to_string(i) + "]\n";
    vars += "env01=[E1]\nenv02=[E2]\n";
    test::Harness v(vars);
    EXPECT_EQ(v.dok->variables.vars.size(), 40u);  // two env variables, then int01 to int38
    EXPECT_NE(v.dok->variables.find("i38"), nullptr);
    EXPECT_EQ(v.dok->variables.find("i39"), nullptr);
}
