#include <gtest/gtest.h>

#include "harness.hpp"
#include "engine/words.hpp"

using namespace dok;
using test::Harness;

namespace {

const char* kIni =
    "[config]\r\n@3=three\r\n"
    "[layout]\r\nwindow=[T] 1 1 10 10\r\n"
    "edit01=[name] [abc] 0 0 1 1 [r]\r\n"
    "dropdown01=[dd] [] 0 0 1 1 [r]\r\n"
    "check01=[c] [C] 0 0 1 1 [r]\r\n"
    "menu01=[Menu item] [r]\r\n"
    "[variables]\r\nstr01=[s] 8\r\nint01=[n]\r\n";

// Expands text in a routine-like context; returns the output or "!error".
std::string expand(Harness& h, std::string_view text, size_t limit = kLineSize) {
    h.dok->stop_routine = false;
    h.clear();
    Output out(limit);
    if (!expand_text(*h.dok, text, out)) return "!" + h.output();
    return out.text;
}

}  // namespace

TEST(Expand, PercentAtAndBackslash) {
    Harness h(kIni);
    ASSERT_TRUE(h.loaded);
    EXPECT_EQ(expand(h, "50%2 apples 100%%"), "502 apples 100%");
    EXPECT_EQ(expand(h, "@3 @4 @x @"), "three @4 x ");
    EXPECT_EQ(expand(h, "C:\\\\data\\\\x C:\\data\\x a\\"), "C:\\data\\x C:datax a");
    EXPECT_EQ(expand(h, "[%name%] [%NAME%] [%c%] [%n%]"), "[abc] [abc] [0] [0]");
}

TEST(Expand, ReferencesAndErrors) {
    Harness h(kIni);
    EXPECT_EQ(expand(h, "%Menu item%"), "!Dok: Message 19\n");  // menu items have no value
    EXPECT_EQ(expand(h, "#nosuch"), "!Dok: Message 27\n");
    EXPECT_EQ(expand(h, "0123456789", 5), "!Dok: Message 13\n");
    // A name longer than 20 characters is cut, and one character more is skipped.
    h.dok->variables.vars.push_back(Variable{"abcdefghijklmnopqrst", VarKind::String, 10, "v", 0});
    EXPECT_EQ(expand(h, "%abcdefghijklmnopqrstUrest"), "vrest");
}

TEST(Expand, WordsArePrefixMatchedInTableOrder) {
    EXPECT_EQ(find_word("remark")->text, "rem");
    EXPECT_EQ(find_word("IFNOT(a")->text, "ifnot(");
    EXPECT_EQ(find_word("callwait(x")->text, "callwait(");
    EXPECT_EQ(find_word("exit")->text, "exit");
    EXPECT_EQ(find_word("enable(")->text, "enable(");
    EXPECT_EQ(find_word("nothing"), nullptr);
    EXPECT_EQ(find_word(""), nullptr);
    for (const WordEntry& e : kWordTable) {  // every word, written in capitals, finds itself or a shorter one
        std::string upper(e.text);
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const WordEntry* found = find_word(upper);
        ASSERT_NE(found, nullptr) << e.text;
        EXPECT_EQ(e.text.substr(0, found->text.size()), found->text);
    }
    EXPECT_EQ(kWordTable.size(), 101u);
    EXPECT_EQ(kWordTable.front().text, "seg(");
    EXPECT_EQ(kWordTable.back().text, "getopendirname(");
}

TEST(Arguments, SeparatorsQuotesAndNull) {
    Harness h(kIni);
    EXPECT_EQ(expand(h, "#set(s,,,\"  x  \")[%s%]"), "[  x  ]");
    EXPECT_EQ(expand(h, "#set(s,NULL)[%s%]"), "[]");
    EXPECT_EQ(expand(h, "#set(s,abcdefghijk)[%s%]"), "[abcdefgh]");  // cut to the declared size
    EXPECT_EQ(expand(h, "#set(s,#seg(a,b)c,1,1))"), "!Dok: Message 18\n");
    EXPECT_EQ(expand(h, "#set(s x)"), "!Dok: Message 28\n");
    EXPECT_EQ(expand(h, "#len(" + std::string(255, 'a') + ")"), "!Dok: Message 13\n");
    EXPECT_EQ(expand(h, "#len(" + std::string(254, 'a') + ")"), "254");
    // Characters above 127 are text for the separator and word scanners.
    EXPECT_EQ(expand(h, "#word(\xe9t\xe9 \xa0x,2)"), "\xa0x");
}

TEST(Arguments, ExpansionNestingIsBounded) {
    std::string deep;
    for (int i = 0; i < 60; ++i) deep += "#len(";
    deep += "x" + std::string(60, ')');
    Harness h(kIni);
    EXPECT_EQ(expand(h, deep), "!Dok: Message 13\n");
    EXPECT_EQ(expand(h, "#len(#len(#len(x)))"), "1");
}


TEST(Routines, EventEntriesAndLabels) {
    Harness h(std::string(kIni) + "[r]\r\n#echo(top %dd%)\r\n#end\r\n:SELCHANGE\r\n#echo(sel %dd%)\r\n");
    size_t dd = *h.dok->controls.find("dd");
    h.ui.list_add(dd, "one");
    h.ui.list_add(dd, "two");
    h.ui.list_select(dd, 1);
    h.ui.set_control_text(dd, "typed");
    EventEntry sel{1, "SELCHANGE"}, kill{4, "KILLFOCUS"};
    EXPECT_EQ(h.run("r", &sel, static_cast<int>(dd)), "Dok: sel two\n");
    EXPECT_EQ(h.run("r", &kill, static_cast<int>(dd)), "Dok: top typed\n");  // no label: from the top
    EXPECT_EQ(h.run("r"), "Dok: top typed\n");
}

TEST(Routines, LimitsAndGuards) {
    std::string ini = kIni;
    ini += "[hundred]\r\n";
    for (int i = 0; i < 99; ++i) ini += "#set(n,#add(%n%,1))\r\n";
    ini += "#echo(%n%)\r\n[long]\r\n";
    for (int i = 0; i < 101; ++i) ini += "#echo(x)\r\n";
    ini += "[nested]\r\n#echo(outer)\r\n#gosub(inner)\r\n#echo(after)\r\n";
    Harness h(ini);
    EXPECT_EQ(h.run("hundred"), "Dok: 99\n");
    EXPECT_EQ(h.run("long"), "Dok: Message 1\n");
    h.dok->routine_running = true;  // a request while a routine runs is dropped
    EXPECT_EQ(h.run("hundred"), "");
    h.dok->routine_running = false;
    EXPECT_EQ(h.run("nested"), "Dok: outer\nDok: Message 3\nDok: Message 24\n");
    EXPECT_EQ(h.run(""), "");
}

TEST(Routines, LineBudgetStopsEndlessLoops) {
    Harness h(std::string(kIni) + "[loop]\r\n:top\r\n#goto(top)\r\n");
    h.options.max_lines = 1000;
    EXPECT_EQ(h.run("loop"), "");
    EXPECT_FALSE(h.dok->routine_running);
}

TEST(Routines, WordBudgetStopsRunawayFunctions) {
    std::string ini = std::string(kIni) + "[functions]\r\n";
    for (int i = 0; i < 30; ++i)
        ini += "f" + std::to_string(i) + "=#function(f" + std::to_string(i + 1) + ")#function(f" + std::to_string(i + 1) + ")\r\n";
    ini += "[r]\r\n#echo(#function(f0))\r\n#echo(not reached)\r\n";
    Harness h(ini);
    h.options.max_words = 5000;
    EXPECT_EQ(h.run("r"), "");
    EXPECT_LE(h.dok->words_run, 5001);
}

TEST(Routines, ReportErrorFormat) {
    Harness h(std::string(kIni) + "[r]\r\n#echo(ok)\r\n#echo(a)#bad(x)\r\n");
    testkit::write_bytes(h.dir / "none.def", "[Interpreter]\r\n27=\"%s|%s|%s|%s|%d\"\r\n");
    EXPECT_EQ(h.run("r"), "Dok: ok\nDok: a\nDok: Routine [r] Line 2|#echo(a)#bad(x)|#bad(x)|%s|%d\n");
}

namespace {
// Clicks a button while the routine waits for a program.
class ClickWhileWaiting : public HeadlessUi {
public:
    using HeadlessUi::HeadlessUi;
    void pump_messages() override {
        if (!clicked) {
            clicked = true;
            handle_event("click b");
        }
    }
    bool clicked = false;
};
}  // namespace

TEST(Routines, RequestsWhileWaitingAreDropped) {
    std::string ini = "[layout]\r\nbutton01=[b] [B] 0 0 1 1 [clicked]\r\n"
                      "[wait]\r\n#callwait(sh -c \"exit 3\")\r\n#echo(code %errorlevel%)\r\n"
                      "[clicked]\r\n#echo(clicked)\r\n";
    Harness h(ini);
    std::istringstream in;
    std::ostringstream out;
    ClickWhileWaiting ui(in, out);
    platform::Console con{in, out, out};
    Dok dok(con, ui, h.options);
    dok.ini_path = h.dok->ini_path;
    dok.language_path = h.dok->language_path;
    ASSERT_TRUE(load_ini(dok));
    struct Events : WindowEvents {
        Dok& d;
        explicit Events(Dok& x) : d(x) {}
        void on_command(int, int) override { run_routine(d, "clicked"); }
        void on_key(size_t, int) override {}
        void on_timer() override {}
        void on_destroy() override {}
        bool close_allowed() override { return !d.waiting_for_child; }
        void on_idle() override {}
    } events(dok);
    ui.create_window(dok.window, dok.controls, events);
    run_routine(dok, "wait");
    EXPECT_TRUE(ui.clicked);
    EXPECT_EQ(out.str(), "Dok: code 3\n");
    run_routine(dok, "clicked");
    EXPECT_EQ(out.str(), "Dok: code 3\nDok: clicked\n");
}
