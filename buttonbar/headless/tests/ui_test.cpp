#include <gtest/gtest.h>

#include <sstream>

#include "engine/events.hpp"
#include "headless/ui.hpp"

using namespace dok;

namespace {

// Records what the window reports.
struct Recorder : WindowEvents {
    std::vector<std::string> seen;
    void on_command(int id, int code) override { seen.push_back("cmd " + std::to_string(id) + " " + std::to_string(code)); }
    void on_key(size_t c, int k) override { seen.push_back("key " + std::to_string(c) + " " + std::to_string(k)); }
    void on_timer() override { seen.push_back("timer"); }
    void on_destroy() override { seen.push_back("destroy"); }
    bool close_allowed() override { return allow_close; }
    void on_idle() override {}
    bool allow_close = true;
};

ControlRecord record(uint16_t kind, std::string name, uint16_t id, uint32_t extra_style = 0) {
    ControlRecord r;
    r.kind = kind;
    r.name = std::move(name);
    r.id = id;
    uint32_t base = kControlKinds[kind].base_style;
    if ((kind == kRadio || kind == kCheck) && (extra_style & style::kBsTypeMask)) base &= ~style::kBsTypeMask;
    r.style = base | extra_style;
    return r;
}

struct Window {
    std::istringstream in;
    std::ostringstream out;
    HeadlessUi ui{in, out};
    Recorder events;
    ControlTable table;
    WindowLayout window;
    explicit Window(const std::string& input = "") : in(input) {
        table.records = {
            record(kEdit, "up", 1200, style::kEsUppercase),
            record(kEdit, "num", 1201, style::kEsNumber),
            record(kButton, "b", 1300),
            record(kRadio, "r1", 1400, style::kBsAutoRadioButton),
            record(kRadio, "r2", 1401, style::kBsAutoRadioButton),
            record(kCheck, "c", 1500, style::kBsAutoCheckBox),
            record(kListbox, "sorted", 1700, style::kLbsSort),
            record(kMenu, "", 1900),
            record(kMenu, "", 1901),
        };
        table.records[7].text = "&File";
        table.records[7].routine = "popup";
        table.records[8].text = "&Open";
        table.records[8].routine = "open";
        window.about_item = "About";
        ui.create_window(window, table, events);
    }
};

}  // namespace

TEST(HeadlessUi, MessageBoxAnswers) {
    Window w("no\nRetry\n");
    EXPECT_EQ(w.ui.message_box("T", "two\nlines", BoxButtons::Ok, BoxIcon::Error, false), kIdOk);
    EXPECT_EQ(w.ui.message_box("Q", "?", BoxButtons::YesNo, BoxIcon::Question, true), kIdNo);
    EXPECT_EQ(w.ui.message_box("Q", "?", BoxButtons::RetryCancel, BoxIcon::Question, true), kIdRetry);
    EXPECT_EQ(w.ui.message_box("Q", "?", BoxButtons::YesNo, BoxIcon::Question, true), kIdCancel);  // end of input
    EXPECT_EQ(w.out.str(), "T: two\nlines\nQ: ?\nQ: ?\nQ: ?\n");
}

TEST(HeadlessUi, EventsBecomeNotifications) {
    Window w;
    // Typing that the field refuses entirely changes nothing and notifies nothing.
    for (const char* line : {"type up Hello", "type num a1b2", "type num xyz", "click r2", "click r1", "click c", "click c",
                             "select sorted 0", "dblclick sorted 0", "key up tab", "key b enter", "timer",
                             "menu File", "menu open", "menu ABOUT", "menu O&p&en&", "menu ope", "menu opens",
                             "nonsense", "click nobody", "click up"})
        w.ui.handle_event(line);
    EXPECT_EQ(w.ui.control_text(0), "HELLO");
    EXPECT_EQ(w.ui.control_text(1), "12");
    EXPECT_TRUE(w.ui.checked(3));
    EXPECT_FALSE(w.ui.checked(4));  // automatic radios of the window form one group
    EXPECT_FALSE(w.ui.checked(5));  // toggled twice
    std::vector<std::string> want{"cmd 1200 768", "cmd 1201 768", "cmd 1401 0", "cmd 1400 0", "cmd 1500 0",
                                  "cmd 1500 0",   "cmd 1700 1",   "cmd 1700 2", "key 0 9",    "key 2 13",
                                  "cmd 1901 0",   "cmd 101 0",    "cmd 1901 0"};
    EXPECT_EQ(w.events.seen, want);  // no timer without an interval, popups are not items
}

TEST(HeadlessUi, DisabledControlsAndClosing) {
    Window w;
    w.ui.enable(2, false);
    w.ui.handle_event("click b");
    w.ui.show(2, true);
    w.events.allow_close = false;
    w.ui.handle_event("close");
    EXPECT_TRUE(w.events.seen.empty());
    w.events.allow_close = true;
    w.ui.handle_event("close");
    w.ui.handle_event("click r1");
    EXPECT_EQ(w.events.seen, std::vector<std::string>{"destroy"});
    EXPECT_TRUE(w.ui.window_destroyed());
}

TEST(HeadlessUi, Lists) {
    Window w;
    EXPECT_EQ(w.ui.list_add(6, "pear"), 0);
    EXPECT_EQ(w.ui.list_add(6, "Apple"), 0);
    EXPECT_EQ(w.ui.list_add(6, "fig"), 1);
    EXPECT_EQ(w.ui.list_select(6, 2), 2);
    EXPECT_EQ(w.ui.list_find(6, "P"), 2);
    EXPECT_EQ(w.ui.list_find(6, "x"), -1);
    EXPECT_EQ(w.ui.list_delete(6, 0), 2);
    EXPECT_EQ(w.ui.list_selection(6), 1);  // the selection follows its item
    EXPECT_EQ(w.ui.list_delete(6, 1), 1);
    EXPECT_EQ(w.ui.list_selection(6), -1);
    EXPECT_EQ(w.ui.list_delete(6, 5), -1);
    EXPECT_EQ(w.ui.list_select(6, 9), -1);
    EXPECT_FALSE(w.ui.list_item(6, 1));
    EXPECT_EQ(w.ui.list_count(0), -1);  // an edit is no list
}

TEST(HeadlessUi, EndOfInputClosesTheWindow) {
    Window w("click b\n");
    w.ui.run_message_loop();
    EXPECT_EQ(w.events.seen, (std::vector<std::string>{"cmd 1300 0", "destroy"}));
}

TEST(KeyHooks, WhichControlsReportWhichKeys) {
    auto r = [](uint16_t kind, uint32_t style_bits, uint32_t extra) {
        ControlRecord c = record(kind, "x", 0, style_bits);
        c.extra = extra;
        return std::pair{reports_key(c, kVkTab), reports_key(c, kVkReturn)};
    };
    using P = std::pair<bool, bool>;
    EXPECT_EQ(r(kEdit, 0, 0), (P{true, true}));
    EXPECT_EQ(r(kButton, 0, 0), (P{true, false}));
    EXPECT_EQ(r(kCheck, 0, 0), (P{true, false}));
    EXPECT_EQ(r(kDropdown, style::kCbsDropDownList, 0), (P{true, true}));
    EXPECT_EQ(r(kCombobox, 0, style::kExtraDigitsOnly), (P{true, true}));
    EXPECT_EQ(r(kCombobox, style::kCbsDropDownList, style::kExtraDigitsOnly), (P{false, false}));
    EXPECT_EQ(r(kCombobox, 0, 0), (P{false, false}));
    EXPECT_EQ(r(kListbox, 0, 0), (P{false, false}));
    EXPECT_EQ(r(kStatic, 0, 0), (P{false, false}));
}
