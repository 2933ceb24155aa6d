// The window itself: where things are, what they look like, and how they
// answer real input.
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <X11/keysym.h>

#include "harness.hpp"

namespace dok::test {
namespace {

constexpr const char* kLayout =
    "[layout]\n"
    "window=[Layout] 20 30 240 160\n"
    "bgcolor=10 200 30\n"
    "fgcolor=255 0 0\n"
    "static01=[label] [MMMMMMMM] 5 5 80 14\n"
    "edit01=[name] [start] 5 25 80 20 [r]\n"
    "button01=[ok] [OK] 100 5 60 22 [okclick] [Closes the bar]\n"
    "radio01=[r1] [One] 100 30 60 16 [r] [A]\n"
    "check01=[c1] [Check] 100 50 60 16 [r]\n"
    "dropdown01=[dd] [] 5 50 80 100 [r]\n"
    "listbox01=[lb] [] 170 5 60 60 [r]\n"
    "combobox01=[cb] [] 170 70 60 80 [r]\n"
    "groupbox01=[gb] [Group] 95 75 70 50\n"
    "[r]\n#rem\n[okclick]\n#echo(ok,>>log.txt)\n";

TEST(Window, StandsWhereTheLayoutSays) {
    WindowBar bar(kLayout);
    ASSERT_TRUE(bar.open());
    EXPECT_EQ(bar.ui->frame()->GetPosition(), wxPoint(20, 30));
    EXPECT_EQ(bar.ui->canvas()->GetClientSize(), wxSize(240, 160));
    EXPECT_EQ(bar.ui->frame()->GetTitle(), "Layout");
    struct Expected {
        const char* name;
        wxRect rect;
    };
    for (const Expected& e : {Expected{"label", {5, 5, 80, 14}}, Expected{"name", {5, 25, 80, 20}},
                              Expected{"ok", {100, 5, 60, 22}}, Expected{"r1", {100, 30, 60, 16}},
                              Expected{"c1", {100, 50, 60, 16}}, Expected{"lb", {170, 5, 60, 60}},
                              Expected{"gb", {95, 75, 70, 50}}}) {
        wxWindow* w = bar.control(e.name);
        ASSERT_TRUE(w) << e.name;
        EXPECT_EQ(w->GetRect(), e.rect) << e.name;
    }
    // A drop-down's layout height includes its list; the field is as high as the toolkit draws it.
    wxRect dd = bar.control("dd")->GetRect();
    EXPECT_EQ(dd.GetPosition(), wxPoint(5, 50));
    EXPECT_EQ(dd.width, 80);
    EXPECT_LT(dd.height, 100);
    // A simple combo box: its edit field above its list, together the layout's rectangle.
    ControlView& cb = bar.ui->views()[*bar.ui->find_view("cb")];
    ASSERT_EQ(cb.parts.size(), 2u);
    EXPECT_EQ(cb.parts[0]->GetPosition(), wxPoint(170, 70));
    EXPECT_EQ(cb.parts[1]->GetRect().GetBottom(), 149);
    EXPECT_EQ(cb.parts[0]->GetRect().GetBottom() + 1, cb.parts[1]->GetRect().GetTop());
}

TEST(Window, WithoutCaptionKeepsABorder) {
    WindowBar bar("[layout]\nwindow=[Bare] 10 10 100 50\nHasCaption=0\nHasMenu=0\nAlwaysOnTop=1\n");
    ASSERT_TRUE(bar.open());
    EXPECT_FALSE(bar.ui->frame()->HasFlag(wxCAPTION));
    EXPECT_TRUE(bar.ui->frame()->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(bar.ui->frame()->HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(bar.ui->frame()->HasFlag(wxMAXIMIZE_BOX));
    EXPECT_FALSE(bar.ui->frame()->GetMenuBar());
    EXPECT_EQ(bar.ui->frame()->GetSize(), wxSize(106, 56));
    EXPECT_EQ(bar.ui->canvas()->GetPosition(), wxPoint(3, 3));
    EXPECT_EQ(bar.ui->canvas()->GetClientSize(), wxSize(100, 50));
}

TEST(Window, PaintsItsColoursAndPicture) {
    WindowBar bar(kLayout);
    wxImage blue(20, 20);
    blue.SetRGB(wxRect(0, 0, 20, 20), 0, 0, 255);
    ASSERT_TRUE(blue.SaveFile((bar.dir / "blue.bmp").string(), wxBITMAP_TYPE_BMP));
    wxImage yellow(30, 30);
    yellow.SetRGB(wxRect(0, 0, 30, 30), 255, 255, 0);
    ASSERT_TRUE(yellow.SaveFile((bar.dir / "yellow.png").string(), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(bar.open());
    EXPECT_EQ(bar.pixel(200, 150), (Rgb{10, 200, 30}));  // the background behind nothing
    EXPECT_EQ(bar.pixel(90, 140), (Rgb{10, 200, 30}));   // and inside the group box
    // The static's text is drawn in the text colour.
    bool red = false;
    for (int x = 5; x < 85 && !red; ++x)
        for (int y = 5; y < 19 && !red; ++y) {
            Rgb c = bar.pixel(x, y);
            red = c.r > 200 && c.g < 80 && c.b < 80;
        }
    EXPECT_TRUE(red);

    bar.ui->load_picture((bar.dir / "blue.bmp").string());
    WindowBar::pump(100);
    EXPECT_EQ(bar.pixel(2, 2), (Rgb{0, 0, 255}));
    EXPECT_EQ(bar.pixel(2, 30), (Rgb{10, 200, 30}));  // the picture is 20 by 20
    bar.ui->load_picture((bar.dir / "yellow.png").string());
    WindowBar::pump(100);
    EXPECT_EQ(bar.pixel(2, 25), (Rgb{255, 255, 0}));
    bar.ui->load_picture((bar.dir / "missing.bmp").string());
    WindowBar::pump(100);
    EXPECT_EQ(bar.pixel(2, 2), (Rgb{10, 200, 30}));
}

TEST(Window, IconsFromIcoBmpAndPngFiles) {
    for (auto [name, type] : {std::pair{"i.ico", wxBITMAP_TYPE_ICO}, std::pair{"i.bmp", wxBITMAP_TYPE_BMP},
                              std::pair{"i.png", wxBITMAP_TYPE_PNG}, std::pair{"bad.ico", wxBITMAP_TYPE_INVALID}}) {
        WindowBar bar(std::string("[layout]\nwindow=[Icon] 10 10 100 50\nicon=") + name + "\n");
        if (type != wxBITMAP_TYPE_INVALID) {
            wxImage image(32, 32);
            image.SetRGB(wxRect(0, 0, 32, 32), 200, 0, 0);
            ASSERT_TRUE(image.SaveFile((bar.dir / name).string(), type)) << name;
        } else {
            testkit::write_bytes(bar.dir / name, std::string("\0\0\1\0garbage", 11));
        }
        // The loader takes the icon from the INI's folder, which the harness is in.
        bar.dok->window.icon_path = (bar.dir / name).string();
        ASSERT_TRUE(bar.open()) << name;
        EXPECT_EQ(bar.ui->frame()->GetIcon().IsOk(), type != wxBITMAP_TYPE_INVALID) << name;
    }
}

std::vector<std::string> bar_items(wxMenuBar* bar, std::vector<bool>* right = nullptr) {
    std::vector<std::string> labels;
    GList* children = gtk_container_get_children(GTK_CONTAINER(bar->GetHandle()));
    for (GList* i = children; i; i = i->next) {
        GtkMenuItem* item = GTK_MENU_ITEM(i->data);
        labels.push_back(gtk_menu_item_get_label(item));
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        if (right) right->push_back(gtk_menu_item_get_right_justified(item));
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    g_list_free(children);
    return labels;
}

TEST(Window, MenuKeepsTheRecordOrder) {
    WindowBar bar(
        "[layout]\nwindow=[Menus] 10 10 200 80\n"
        "menu01=[&Go] [go]\nmenu02=[&File] [popup]\nmenu03=[Open] [openit]\nmenu04=[] [separator]\n"
        "menu05=[Quit] [quit]\nmenu06=[Help] [help]\nmenu07=[E&xtra] [popup]\nmenu08=[More] [more]\n"
        "[go]\n#echo(go,>>log.txt)\n[openit]\n#echo(open,>>log.txt)\n");
    ASSERT_TRUE(bar.open());
    wxMenuBar* menus = bar.ui->frame()->GetMenuBar();
    ASSERT_TRUE(menus);
    std::vector<bool> right;
    EXPECT_EQ(bar_items(menus, &right), (std::vector<std::string>{"_Go", "_File", "E_xtra", "Over"}));
    EXPECT_EQ(right, (std::vector<bool>{false, false, false, true}));
    ASSERT_EQ(menus->GetMenuCount(), 2u);
    wxMenu* file = menus->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 4u);  // a later item stays in the pop-up until the next one
    EXPECT_EQ(file->FindItemByPosition(0)->GetItemLabel(), "Open");
    EXPECT_TRUE(file->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(3)->GetItemLabel(), "Help");

    // A record before the first pop-up is an item of the bar itself.
    GList* children = gtk_container_get_children(GTK_CONTAINER(menus->GetHandle()));
    gtk_menu_item_activate(GTK_MENU_ITEM(children->data));
    g_list_free(children);
    wxCommandEvent open(wxEVT_MENU, file->FindItemByPosition(0)->GetId());
    bar.ui->frame()->ProcessWindowEvent(open);
    WindowBar::pump(50);
    EXPECT_EQ(bar.file("log.txt"), "goopen");
}

TEST(Window, NoMenuBarWithoutMenu) {
    WindowBar bar("[layout]\nwindow=[Plain] 10 10 100 40\nHasMenu=0\nmenu01=[Go] [go]\n");
    ASSERT_TRUE(bar.open());
    EXPECT_FALSE(bar.ui->frame()->GetMenuBar());
    EXPECT_EQ(bar.ui->canvas()->GetClientSize(), wxSize(100, 40));
}

TEST(Window, ButtonsCarryTheirTooltipsAndClickRunsTheRoutine) {
    WindowBar bar(kLayout);
    ASSERT_TRUE(bar.open());
    wxWindow* ok = bar.control("ok");
    EXPECT_EQ(ok->GetToolTipText(), "Closes the bar");
    bar.click(ok);
    EXPECT_EQ(bar.file("log.txt"), "ok");
}

TEST(Window, TooltipIsPaleCyan) {
    WindowBar bar(kLayout);
    ASSERT_TRUE(bar.open());
    wxRect r = bar.control("ok")->GetScreenRect();
    bar.input.move(r.GetRight() + 100, r.GetBottom() + 100);  // from outside
    bar.input.move(r.x + 10, r.y + 10);
    bool cyan = WindowBar::until(
        [&] {
            bool found = false;
            WindowBar::for_each_pixel(std::max(0, r.x - 40), r.GetBottom(), 200, 80,
                                      [&](int, int, Rgb c) { found |= c == Rgb{128, 255, 255}; });
            return found;
        },
        4000);
    EXPECT_TRUE(cyan);
}

TEST(Window, KeysReachOnkeyBeforeTheControlAndTabMovesOn) {
    WindowBar bar(
        "[layout]\nwindow=[Keys] 10 10 200 100\n"
        "edit01=[e1] [] 5 5 80 20 [r]\nedit02=[e2] [] 5 30 80 20 [r]\n"
        "button01=[b] [B] 100 5 60 22 [pressed]\n"
        "[onkey]\n#echo(%lastkey% %object% [%e1%];,>>log.txt)\n[pressed]\n#echo(pressed;,>>log.txt)\n[r]\n#rem\n");
    ASSERT_TRUE(bar.open());
    bar.control("e1")->SetFocus();
    WindowBar::pump(30);
    bar.type("ab");
    bar.key(XK_Tab);
    EXPECT_EQ(wxWindow::FindFocus(), bar.control("e2"));
    bar.key(XK_Return);
    bar.control("b")->SetFocus();
    WindowBar::pump(30);
    bar.key(XK_Return);  // a push button reports no Enter and is not pressed by it
    bar.key(XK_Tab);
    EXPECT_EQ(bar.file("log.txt"), "9 e1 [ab];13 e2 [ab];9 b [ab];");
}

TEST(Window, TypingIsFilteredAsTheStyleSays) {
    WindowBar bar(
        "[layout]\nwindow=[Typing] 10 10 200 100\n"
        "edit01=[digits] [] 5 5 80 20 [r] [N]\nedit02=[upper] [] 5 30 80 20 [r] [U]\n"
        "dropdown01=[dd] [] 100 5 80 100 [r] [NL]\nedit03=[ro] [fixed] 5 55 80 20 [r] [R]\n[r]\n#rem\n");
    ASSERT_TRUE(bar.open());
    auto type_into = [&](const char* name, const std::string& text) {
        bar.control(name)->SetFocus();
        WindowBar::pump(30);
        bar.type(text);
        return bar.ui->control_text(*bar.ui->find_view(name));
    };
    EXPECT_EQ(type_into("digits", "a1b2"), "12");
    EXPECT_EQ(type_into("upper", "abC"), "ABC");
    EXPECT_EQ(type_into("dd", "x9y8"), "98");
    EXPECT_EQ(type_into("ro", "zz"), "fixed");
}

constexpr const char* kLists =
    "[layout]\nwindow=[Lists] 10 10 160 120\nHasMenu=0\n"
    "listbox01=[lb] [] 5 5 60 100 [r]\ncombobox01=[cb] [] 80 5 60 110 [picked]\n"
    "[onload]\n#addstring(lb,l1)\n#addstring(lb,l2)\n#addstring(cb,c1)\n#addstring(cb,c2)\n#addstring(cb,c3)\n"
    "[picked]\n#end\n:SELCHANGE\n#echo(%cb%;,>>log.txt)\n[r]\n#rem\n";

// The list part of a list box or simple combo box.
wxWindow* list_of(WindowBar& bar, const std::string& name) {
    auto i = bar.ui->find_view(name);
    return i && bar.ui->views()[*i].list ? bar.ui->views()[*i].list : nullptr;
}

struct BarColumn {
    int rows = 0, bar = 0, slider = 0;
};

// Down the column where a list's vertical bar stands: the rows unlike the
// list's background, and those of the bar's darkest colour (its slider).
BarColumn bar_column(wxWindow* list, Rgb background) {
    wxRect r = list->GetScreenRect();
    std::vector<Rgb> column;
    WindowBar::for_each_pixel(r.GetRight() - 6, r.y + 2, 1, r.height - 4, [&](int, int, Rgb c) { column.push_back(c); });
    auto darker = [](Rgb a, Rgb b) { return a.r + a.g + a.b < b.r + b.g + b.b; };
    Rgb darkest = column.empty() ? background : *std::min_element(column.begin(), column.end(), darker);
    BarColumn b;
    b.rows = static_cast<int>(column.size());
    for (Rgb c : column) {
        b.bar += c != background;
        b.slider += c != background && c == darkest;
    }
    return b;
}

TEST(Window, ListsShowTheirScrollBarsBeforeAndAfterTheyFill) {
    WindowBar bar(kLists);
    ASSERT_TRUE(bar.open());
    bar.input.move(0, 0);  // a bar laid over the rows would show only near the pointer
    WindowBar::pump(100);
    for (const char* name : {"lb", "cb"}) {
        wxWindow* list = list_of(bar, name);
        ASSERT_TRUE(list) << name;
        wxRect r = list->GetScreenRect();
        Rgb background = WindowBar::screen_pixel(r.x + r.width / 3, r.GetBottom() - 3);
        BarColumn few = bar_column(list, background);
        EXPECT_GT(few.bar, few.rows * 4 / 5) << name;  // the trough, filled by the slider
        EXPECT_GT(few.slider, few.rows * 3 / 4) << name;
        for (int i = 0; i < 40; ++i) bar.ui->list_add(*bar.ui->find_view(name), "row");
        WindowBar::pump(100);
        BarColumn full = bar_column(list, background);
        EXPECT_GT(full.bar, full.rows * 4 / 5) << name;
        EXPECT_GT(full.slider, 0) << name;
        EXPECT_LT(full.slider, full.rows / 2) << name;
    }
}

// Where a list's row is on the screen: its middle, or a point near its
// right end (left of the scroll bar) where no text is drawn.
struct RowPlace {
    wxPoint middle, plain;
};

RowPlace row_place(wxWindow* list, int row) {
    GtkTreeView* view = GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(list->GetHandle())));
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    GdkRectangle cell;
    gtk_tree_view_get_background_area(view, path, nullptr, &cell);
    gtk_tree_path_free(path);
    GdkWindow* rows = gtk_tree_view_get_bin_window(view);
    int x = 0, y = 0;
    gdk_window_get_origin(rows, &x, &y);
    int middle = y + cell.y + cell.height / 2, width = gdk_window_get_width(rows);
    return {{x + width / 3, middle}, {x + width - 4, middle}};
}

// The selection's colour: a strong hue, where text and lines are grey.
bool highlighted(Rgb c) { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 60; }

TEST(Window, ListsShowTheSelectionTheyHaveAndNoneBeforeIt) {
    WindowBar bar(kLists);
    ASSERT_TRUE(bar.open());
    size_t lb = *bar.ui->find_view("lb"), cb = *bar.ui->find_view("cb");
    wxWindow* lb_list = list_of(bar, "lb");
    wxWindow* cb_list = list_of(bar, "cb");
    ASSERT_TRUE(lb_list && cb_list);
    // Taking the keyboard focus selects nothing.
    bar.ui->set_focus(lb);
    WindowBar::pump(50);
    EXPECT_EQ(wxWindow::FindFocus(), lb_list);
    EXPECT_EQ(bar.ui->list_selection(lb), -1);
    wxPoint first = row_place(lb_list, 0).plain;
    EXPECT_FALSE(highlighted(WindowBar::screen_pixel(first.x, first.y)));
    bar.ui->list_select(lb, 1);
    WindowBar::pump(50);
    wxPoint second = row_place(lb_list, 1).plain;
    EXPECT_FALSE(highlighted(WindowBar::screen_pixel(first.x, first.y)));
    EXPECT_TRUE(highlighted(WindowBar::screen_pixel(second.x, second.y)));

    // A click on a row of a list without the focus chooses that row alone.
    wxPoint third = row_place(cb_list, 2).middle;
    bar.settle(bar.input.click(third.x, third.y));
    EXPECT_EQ(wxWindow::FindFocus(), cb_list);
    EXPECT_EQ(bar.ui->list_selection(cb), 2);
    EXPECT_EQ(bar.file("log.txt"), "c3;");
    bar.input.move(0, 0);  // no tooltip comes up in the windows of later tests
}

TEST(Window, ChangesNotifyOncePerKeystroke) {
    WindowBar bar(
        "[layout]\nwindow=[Changes] 10 10 200 100\nedit01=[e] [old] 5 5 80 20 [changed]\n"
        "[changed]\n#end\n:EDITCHANGE\n#echo(%e%;,>>log.txt)\n");
    ASSERT_TRUE(bar.open());
    bar.control("e")->SetFocus();  // selects the text: the first key replaces it
    WindowBar::pump(30);
    bar.type("ab");
    EXPECT_EQ(bar.file("log.txt"), "a;ab;");
    bar.ui->set_control_text(*bar.ui->find_view("e"), "set");  // the program's own change notifies nobody
    WindowBar::pump(30);
    EXPECT_EQ(bar.file("log.txt"), "a;ab;");
}

TEST(Window, TimerRunsOntimeButNotWhileARoutineRuns) {
    WindowBar bar(
        "[layout]\nwindow=[Timer] 10 10 100 60\ntimer=40\nbutton01=[b] [B] 5 5 60 22 [wait]\n"
        "[ontime]\n#echo(t,>>ticks.txt)\n[wait]\n#callwait(sleep 0.5)\n#echo(done,>>log.txt)\n");
    ASSERT_TRUE(bar.open());
    EXPECT_TRUE(WindowBar::until([&] { return bar.file("ticks.txt").size() >= 3; }));
    size_t before = 0;
    bar.ui->run_soon([&] {
        before = bar.file("ticks.txt").size();
        wxCommandEvent e(wxEVT_BUTTON);
        bar.control("b")->ProcessWindowEvent(e);
    });
    EXPECT_TRUE(WindowBar::until([&] { return bar.file("log.txt") == "done"; }));
    // The window kept handling its messages while the program ran, but the
    // timer's routine waited for the other one.
    EXPECT_LE(bar.file("ticks.txt").size(), before + 1);
    EXPECT_TRUE(WindowBar::until([&] { return bar.file("ticks.txt").size() >= before + 3; }));
}

TEST(Window, CloseWaitsForTheProgramThenRunsOnexit) {
    WindowBar bar(
        "[layout]\nwindow=[Closing] 10 10 100 60\nbutton01=[b] [B] 5 5 60 22 [wait]\n"
        "[wait]\n#callwait(sleep 0.6)\n#echo(done;,>>log.txt)\n[onexit]\n#echo(exit;,>>log.txt)\n");
    ASSERT_TRUE(bar.open());
    unsigned long window = x_window_of(bar.ui->frame());
    bar.ui->run_soon([&] {
        wxCommandEvent e(wxEVT_BUTTON);
        bar.control("b")->ProcessWindowEvent(e);
    });
    // The routine holds the test's thread: another one closes the window meanwhile.
    std::thread user([window] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        X11Input input;
        input.close(window);
    });
    EXPECT_TRUE(WindowBar::until([&] { return bar.file("log.txt") == "done;"; }));
    user.join();
    EXPECT_FALSE(bar.ui->window_destroyed());
    bar.settle(bar.input.close(window) + 1);
    EXPECT_TRUE(bar.ui->window_destroyed());
    EXPECT_EQ(bar.file("log.txt"), "done;exit;");
}

// Waits for the window with the title to come up and gives it the keyboard.
void focus_window(X11Input& input, const char* title) {
    unsigned long window = 0;
    for (int i = 0; i < 300 && !window; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        window = input.find_window(title);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    input.focus(window);
}

TEST(Window, OpenDialogAnsweredByTyping) {
    WindowBar bar("[layout]\nwindow=[Dialogs] 10 10 100 60\n[variables]\nstr01=[f] 255\n");
    ASSERT_TRUE(bar.open());
    testkit::write_bytes(bar.dir / "pick.txt", "x");
    std::string path = (bar.dir / "pick.txt").string();
    // The dialog runs its own loop: a second thread works as the user.
    std::thread user([&] {
        X11Input input;
        focus_window(input, "Pick one");
        size_t pos = 0;
        while (pos < path.size()) input.type(path, pos);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        input.key(XK_Return);
    });
    FileDialogRequest request;
    request.title = "Pick one";
    request.filter = {{"Text", "*.txt"}, {"All", "*.*"}};
    request.initial_dir = bar.dir.path().string();
    DialogResult r = bar.ui->file_dialog(request);
    user.join();
    EXPECT_EQ(r.outcome, DialogResult::Outcome::Chosen);
    EXPECT_EQ(r.path, path);

    // A saved name without extension gets the default one.
    std::thread save([&] {
        X11Input input;
        focus_window(input, "Keep it");
        std::string name = "kept";
        size_t pos = 0;
        while (pos < name.size()) input.type(name, pos);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        input.key(XK_Return);
    });
    FileDialogRequest keep;
    keep.save = true;
    keep.title = "Keep it";
    keep.initial_dir = bar.dir.path().string();
    keep.default_ext = "obj";
    keep.flags = 0x2;  // ask before overwriting
    DialogResult kept = bar.ui->file_dialog(keep);
    save.join();
    EXPECT_EQ(kept.outcome, DialogResult::Outcome::Chosen);
    EXPECT_EQ(kept.path, (bar.dir / "kept.obj").string());

    std::thread cancel([] {
        X11Input input;
        focus_window(input, "Where");
        input.key(XK_Escape);
    });
    DialogResult none = bar.ui->folder_dialog("Where", bar.dir.path().string());
    cancel.join();
    EXPECT_EQ(none.outcome, DialogResult::Outcome::Cancelled);
}

TEST(Window, MessageBoxesShowTheButtonSets) {
    WindowBar bar("[layout]\nwindow=[Boxes] 10 10 100 60\n");
    ASSERT_TRUE(bar.open());
    struct Case {
        BoxButtons set;
        std::vector<std::string> labels;
    };
    for (const Case& c : {Case{BoxButtons::Ok, {"OK"}}, Case{BoxButtons::YesNo, {"&Yes", "&No"}},
                          Case{BoxButtons::AbortRetryIgnore, {"&Abort", "&Retry", "&Ignore"}}}) {
        MessageDialog box(bar.ui->frame(), "t", "x", c.set, BoxIcon::Question);
        std::vector<std::string> labels;
        for (const auto& b : box.buttons()) labels.push_back(from_wx(b.button->GetLabel()));
        EXPECT_EQ(labels, c.labels);
    }
    // Answered by a click on the button that the next event line names.
    std::istringstream events("no\nretry\n");
    std::ostringstream transcript;
    WxUi asker(WindowUiSettings{&events, &transcript});
    EXPECT_EQ(asker.message_box("Ask", "Sure?", BoxButtons::YesNo, BoxIcon::Question, false), kIdNo);
    EXPECT_EQ(asker.message_box("Disk", "Again?", BoxButtons::AbortRetryIgnore, BoxIcon::Error, false), kIdRetry);
    EXPECT_EQ(asker.message_box("Note", "Done", BoxButtons::Ok, BoxIcon::Information, false), kIdOk);
    EXPECT_EQ(transcript.str(), "Ask: Sure?\nDisk: Again?\nNote: Done\n");
}

// The X windows on the screen, bottom first.
std::vector<unsigned long> stacking() {
    Display* d = XOpenDisplay(nullptr);
    std::vector<unsigned long> order;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (d && XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count))
        order.assign(children, children + count);
    if (children) XFree(children);
    if (d) XCloseDisplay(d);
    return order;
}

bool above(unsigned long a, unsigned long b) {
    std::vector<unsigned long> order = stacking();
    auto ia = std::find(order.begin(), order.end(), a), ib = std::find(order.begin(), order.end(), b);
    return ia != order.end() && ib != order.end() && ia > ib;
}

TEST(Window, ASecondProgramWithTheSameTitleBringsTheFirstToTheFront) {
    WindowBar first("[layout]\nwindow=[Only one] 10 10 120 60\n");
    ASSERT_TRUE(first.open(true));
    WindowBar cover("[layout]\nwindow=[Cover] 10 10 200 100\n");
    ASSERT_TRUE(cover.open());
    unsigned long a = x_window_of(first.ui->frame()), b = x_window_of(cover.ui->frame());
    ASSERT_TRUE(above(b, a));
    platform::SingleInstance second;
    EXPECT_EQ(second.claim("Only one", first.dir.path().string()), platform::SingleInstance::Result::Other);
    EXPECT_TRUE(WindowBar::until([&] { return above(a, b); }));
}

}  // namespace
}  // namespace dok::test
