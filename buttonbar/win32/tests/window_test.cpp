// The Win32 window: class, size, menu, controls, tooltips, keys, colours,
// picture and icon, timer, closing, dialogs, boxes and the single instance.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "harness.hpp"
#include "win32/images.hpp"

namespace dok::test {
namespace {

constexpr const char* kLayout =
    "[layout]\n"
    "window=[Layout] 20 30 240 160\n"
    "bgcolor=10 200 30\n"
    "fgcolor=255 0 0\n"
    "static01=[label] [MMMMMMMM] 5 5 80 14\n"
    "edit01=[name] [start] 5 25 80 20 [r] [N]\n"
    "button01=[ok] [OK] 100 5 60 22 [okclick] [Closes the bar]\n"
    "button02=[other] [Other] 100 80 60 22 [r]\n"
    "radio01=[r1] [One] 100 30 60 16 [r] [A]\n"
    "check01=[c1] [Check] 100 50 60 16 [r]\n"
    "dropdown01=[dd] [] 5 50 80 100 [r] [N]\n"
    "dropdown02=[ddr] [] 5 75 80 100 [r] [R]\n"
    "listbox01=[lb] [] 170 5 60 60 [r]\n"
    "combobox01=[cb] [] 170 70 60 80 [r]\n"
    "groupbox01=[gb] [Group] 95 75 70 50\n"
    "[r]\n#rem\n[okclick]\n#echo(ok,>>log.txt)\n"
    "[onkey]\n#echo(%lastkey% %object%;,>>log.txt)\n";

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string info_header(int w, int h, int bits) {
    return le(40, 4) + le(w, 4) + le(h, 4) + le(1, 2) + le(bits, 2) + std::string(24, '\0');
}

// A 24-bit bitmap file of one colour.
std::string bitmap_file(int w, int h, COLORREF c) {
    int stride = (w * 3 + 3) / 4 * 4;
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < w; ++x)
        row.replace(static_cast<size_t>(x) * 3, 3, {char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))});
    std::string pixels;
    for (int y = 0; y < h; ++y) pixels += row;
    return "BM" + le(54 + static_cast<uint32_t>(pixels.size()), 4) + le(0, 4) + le(54, 4) + info_header(w, h, 24) +
           pixels;
}

// A 32-bit icon file of one image.
std::string icon_file(int side) {
    std::string image = info_header(side, 2 * side, 32) + std::string(static_cast<size_t>(side * side) * 4, '\x7f') +
                        std::string(static_cast<size_t>((side + 31) / 32 * 4 * side), '\0');
    return le(0, 2) + le(1, 2) + le(1, 2) + le(side, 1) + le(side, 1) + le(0, 2) + le(1, 2) + le(32, 2) +
           le(static_cast<uint32_t>(image.size()), 4) + le(22, 4) + image;
}

SIZE size_of(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

RECT client_rect_of(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(Win32Window, ClassStylesAndOuterSizeFromTheSystemMetrics) {
    Bar bar(kLayout);
    ASSERT_TRUE(bar.open());
    HWND h = bar.main();
    EXPECT_EQ(class_of(h), "Layout");
    EXPECT_EQ(text_of(h), "Layout");
    SIZE s = size_of(h);
    EXPECT_EQ(s.cx, 240 + 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(s.cy,
              160 + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));
    EXPECT_TRUE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrA(h, GWL_STYLE) & WS_CAPTION);
    HMENU system = GetSystemMenu(h, FALSE);
    for (UINT gone : {SC_RESTORE, SC_SIZE, SC_MAXIMIZE}) EXPECT_EQ(GetMenuState(system, gone, MF_BYCOMMAND), UINT(-1));
    EXPECT_NE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    // movewindow( keeps the outer size; the position is the normal one.
    bar.ui->move_window(30, 40);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(size_of(h).cx, s.cx);
    EXPECT_EQ(bar.ui->window_position().left, 30);

    Bar bare("[layout]\nwindow=[Bare] 10 10 100 50\nHasCaption=0\nHasMenu=0\nAlwaysOnTop=1\nmenu01=[Go] [go]\n");
    ASSERT_TRUE(bare.open());
    EXPECT_EQ(size_of(bare.main()).cx, 100 + 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(size_of(bare.main()).cy, 50 + 2 * GetSystemMetrics(SM_CYFRAME));
    EXPECT_TRUE(GetWindowLongPtrA(bare.main(), GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongPtrA(bare.main(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(GetWindowLongPtrA(bare.main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetMenu(bare.main()));

    // A bar without a title still gets a window; a long title names the class by its first 39 characters.
    Bar untitled("[layout]\nbutton01=[b] [B] 5 5 60 22 [r]\n");
    ASSERT_TRUE(untitled.open());
    EXPECT_EQ(text_of(untitled.main()), "");
    Bar long_title("[layout]\nwindow=[" + std::string(300, 'T') + "] 10 10 100 50\n");
    ASSERT_TRUE(long_title.open());
    EXPECT_EQ(class_of(long_title.main()), std::string(39, 'T'));
}

std::string menu_text(HMENU m, int i) {
    char text[64] = "";
    GetMenuStringA(m, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(Win32Window, MenuBarPopupsSeparatorsAndTheAboutItemOnTheRight) {
    Bar bar(
        "[layout]\nwindow=[Menus] 10 10 200 80\n"
        "menu01=[&Go] [go]\nmenu02=[&File] [popup]\nmenu03=[Open] [openit]\nmenu04=[] [separator]\n"
        "menu05=[Quit] [quit]\nmenu06=[Help] [help]\nmenu07=[E&xtra] [popup]\nmenu08=[More] [more]\n"
        "[go]\n#echo(go,>>log.txt)\n[openit]\n#echo(open,>>log.txt)\n");
    ASSERT_TRUE(bar.open());
    HMENU menus = GetMenu(bar.main());
    ASSERT_TRUE(menus);
    ASSERT_EQ(GetMenuItemCount(menus), 4);
    EXPECT_EQ(menu_text(menus, 0), "&Go");
    EXPECT_EQ(menu_text(menus, 1), "&File");
    EXPECT_EQ(menu_text(menus, 3), "Over");
    EXPECT_TRUE(GetMenuState(menus, kAboutId, MF_BYCOMMAND) & MF_HELP);
    EXPECT_FALSE(GetMenuState(menus, 0, MF_BYPOSITION) & MF_HELP);
    HMENU file = GetSubMenu(menus, 1);
    ASSERT_EQ(GetMenuItemCount(file), 4);  // a later item stays in the pop-up until the next one
    EXPECT_EQ(menu_text(file, 0), "Open");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(menu_text(file, 3), "Help");
    SendMessageA(bar.main(), WM_COMMAND, GetMenuItemID(menus, 0), 0);
    SendMessageA(bar.main(), WM_COMMAND, GetMenuItemID(file, 0), 0);
    EXPECT_EQ(bar.file("log.txt"), "goopen");

    std::string many = "[layout]\nwindow=[Many] 10 10 200 80\nHasAbout=0\n";
    for (int i = 1; i <= 20; ++i)
        many += "menu" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=[P] [popup]\n";
    Bar twenty(many);
    ASSERT_TRUE(twenty.open());
    EXPECT_EQ(GetMenuItemCount(GetMenu(twenty.main())), 20);
    EXPECT_EQ(GetMenuState(GetMenu(twenty.main()), kAboutId, MF_BYCOMMAND), UINT(-1));
}

TEST(Win32Window, ControlsWithTheirClassesIdsFontAndMargins) {
    Bar bar(kLayout);
    ASSERT_TRUE(bar.open());
    struct Expected {
        const char* name;
        const char* window_class;
        int id;
        RECT rect;
    };
    for (const Expected& e :
         {Expected{"label", "Static", 1100, {5, 5, 85, 19}}, Expected{"name", "Edit", 1200, {5, 25, 85, 45}},
          Expected{"other", "Button", 1301, {100, 80, 160, 102}}, Expected{"c1", "Button", 1500, {100, 50, 160, 66}},
          Expected{"gb", "Button", 1000, {95, 75, 165, 125}}}) {
        HWND w = bar.control(e.name);
        ASSERT_TRUE(w) << e.name;
        EXPECT_EQ(class_of(w), e.window_class) << e.name;
        EXPECT_EQ(GetDlgCtrlID(w), e.id) << e.name;
        RECT r = client_rect_of(w);
        EXPECT_TRUE(EqualRect(&r, &e.rect))
            << e.name << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&bar.slot(e.name))) << e.name;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)), bar.ui->font()) << e.name;
    }
    // A list box without LBS_NOINTEGRALHEIGHT shows whole rows only.
    RECT lb = client_rect_of(bar.control("lb"));
    EXPECT_EQ(lb.left, 170);
    EXPECT_EQ(lb.top, 5);
    EXPECT_EQ(lb.right, 230);
    EXPECT_LE(lb.bottom, 65);
    EXPECT_EQ(GetDlgCtrlID(bar.control("lb")), 1700);
    EXPECT_EQ(SendMessageA(bar.control("name"), EM_GETMARGINS, 0, 0), MAKELONG(1, 1));
    EXPECT_EQ(text_of(bar.control("name")), "start");
    LOGFONTA font{};
    GetObjectA(bar.ui->font(), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_ROMAN);
    // The drop-down's edit field is hooked and knows its record too.
    HWND edit = bar.slot("dd").edit;
    ASSERT_TRUE(edit);
    EXPECT_EQ(class_of(edit), "Edit");
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&bar.slot("dd")));
}

TEST(Win32Window, TheLargestBarGetsEveryControl) {
    std::string ini = "[layout]\nwindow=[Full] 0 0 600 400\n";
    for (const ControlKind& k : kControlKinds)
        for (int n = 1; n <= k.max_count; ++n) {
            char key[32];
            std::snprintf(key, sizeof key, "%.*s%02d", static_cast<int>(k.prefix.size()), k.prefix.data(), n);
            ini += std::string(key) +
                   (k.prefix == "menu" ? "=[m] [popup]\n" : "=[" + std::string(key) + "] [t] 1 1 20 20 [r] [x]\n");
        }
    Bar bar(ini);
    ASSERT_EQ(bar.dok->controls.records.size(), kMaxControls);
    ASSERT_TRUE(bar.open());
    int windows = 0;
    for (ControlSlot& s : bar.ui->slots()) windows += s.window != nullptr;
    EXPECT_EQ(windows, 190);
    EXPECT_EQ(SendMessageA(bar.ui->tooltip(), TTM_GETTOOLCOUNT, 0, 0), 30);
}

TEST(Win32Window, ButtonsRegisterTheirTooltipsInOnePaleCyanTooltipWindow) {
    Bar bar(kLayout);
    ASSERT_TRUE(bar.open());
    HWND tip = bar.ui->tooltip();
    ASSERT_TRUE(tip);
    EXPECT_EQ(class_of(tip), TOOLTIPS_CLASSA);
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(128, 255, 255));
    char text[80] = "";
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = bar.main();
    ti.uId = reinterpret_cast<UINT_PTR>(bar.control("ok"));
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Closes the bar");
    // The relay sits in front of the button's own procedure, which still answers.
    EXPECT_NE(GetWindowLongPtrA(bar.control("ok"), GWLP_WNDPROC), GetClassLongPtrA(bar.control("ok"), GCLP_WNDPROC));
    SendMessageA(bar.control("ok"), BM_CLICK, 0, 0);
    EXPECT_EQ(bar.file("log.txt"), "ok");
}

TEST(Win32Window, KeyHooksReportTabAndEnterAndFilterTyping) {
    Bar bar(kLayout);
    ASSERT_TRUE(bar.open());
    auto key = [&](HWND w, WPARAM vk) { SendMessageA(w, WM_KEYDOWN, vk, 1); };
    key(bar.control("name"), VK_TAB);
    key(bar.control("name"), VK_RETURN);
    key(bar.control("ok"), VK_RETURN);  // buttons report Tab only
    key(bar.control("ok"), VK_TAB);
    key(bar.control("c1"), VK_TAB);
    key(bar.slot("dd").edit, VK_RETURN);
    key(bar.control("ddr"), VK_TAB);  // a drop-down list: the combo box itself
    key(bar.control("lb"), VK_TAB);   // list boxes are not hooked
    EXPECT_EQ(bar.file("log.txt"), "9 name;13 name;9 ok;9 c1;13 dd;9 ddr;");
    // Digits only in the drop-down's edit field (option N); the edit's own N is the system's.
    for (char c : std::string("a5b\b7")) SendMessageA(bar.slot("dd").edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(bar.ui->control_text(bar.slot("dd").index), "7");
    EXPECT_TRUE(GetWindowLongPtrA(bar.control("name"), GWL_STYLE) & ES_NUMBER);
}

TEST(Win32Window, ColoursPictureAndIcon) {
    Bar bar(kLayout + std::string("icon=i.ico\n"));
    testkit::write_bytes(bar.dir / "blue.bmp", bitmap_file(20, 20, RGB(0, 0, 255)));
    testkit::write_bytes(bar.dir / "i.ico", icon_file(32));
    bar.dok->window.icon_path = (bar.dir / "i.ico").string();
    ASSERT_TRUE(bar.open());
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(bar.main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(bar.control("label"))));
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(10, 200, 30));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    SetBkMode(dc, OPAQUE);
    EXPECT_EQ(SendMessageA(bar.main(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), 0),
              reinterpret_cast<LRESULT>(brush));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(10, 200, 30));
    DeleteDC(dc);
    EXPECT_NE(GetClassLongPtrA(bar.main(), GCLP_HICON),
              reinterpret_cast<LONG_PTR>(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WINLOGO))));

    EXPECT_EQ(bar.pixel(200, 150), RGB(10, 200, 30));
    bar.ui->load_picture((bar.dir / "blue.bmp").string());
    EXPECT_EQ(bar.pixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(bar.pixel(2, 24), RGB(10, 200, 30));  // the picture is 20 by 20
    bar.ui->load_picture((bar.dir / "missing.bmp").string());
    EXPECT_EQ(bar.pixel(2, 2), RGB(10, 200, 30));
}

TEST(Win32Window, MalformedPicturesAndIconsAreRefused) {
    std::string good = bitmap_file(4, 4, RGB(1, 2, 3));
    EXPECT_TRUE(plausible_bitmap(good));
    std::string huge = good, offset = good, depth = good;
    huge.replace(18, 4, le(100000, 4));  // pixels past the end of the file
    offset.replace(10, 4, le(0xFFFFFF00, 4));
    depth.replace(28, 2, le(7, 2));
    for (const std::string& bad :
         {good.substr(0, good.size() - 1), huge, offset, depth, std::string("BM"), std::string()})
        EXPECT_FALSE(plausible_bitmap(bad));
    std::string ico = icon_file(16);
    EXPECT_TRUE(plausible_icon(ico));
    std::string far_image = ico, no_images = ico;
    far_image.replace(18, 4, le(0x7FFFFFF0, 4));
    no_images.replace(4, 2, le(0, 2));
    for (const std::string& bad : {ico.substr(0, ico.size() - 10), far_image, no_images, std::string("\0\0\1\0", 4)})
        EXPECT_FALSE(plausible_icon(bad));
    // A compressed image is left to the system, which refuses a broken one.
    std::string png = "\x89PNG\r\n\x1a\n" + std::string(60, '\x55');
    std::string broken_png = ico.substr(0, 6) + le(16, 1) + le(16, 1) + le(0, 2) + le(1, 2) + le(32, 2) +
                             le(static_cast<uint32_t>(png.size()), 4) + le(22, 4) + png;
    EXPECT_TRUE(plausible_icon(broken_png));

    testkit::TempDir dir;
    testkit::write_bytes(dir / "cut.bmp", good.substr(0, 60));
    testkit::write_bytes(dir / "cut.ico", ico.substr(0, 40));
    testkit::write_bytes(dir / "png.ico", broken_png);
    EXPECT_EQ(load_bitmap_file((dir / "cut.bmp").string()), nullptr);
    EXPECT_EQ(load_icon_file((dir / "cut.ico").string()), nullptr);
    EXPECT_EQ(load_icon_file((dir / "png.ico").string()), nullptr);
    EXPECT_EQ(load_bitmap_file((dir / "none.bmp").string()), nullptr);
    HBITMAP bitmap = nullptr;
    testkit::write_bytes(dir / "good.bmp", good);
    EXPECT_NE(bitmap = load_bitmap_file((dir / "good.bmp").string()), nullptr);
    DeleteObject(bitmap);
}

// Path of this program, which also serves as the program that scripts start.
std::string self() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// The command that sleeps, as a routine line writes it (backslashes doubled).
std::string sleeper(int ms) {
    std::string line;
    for (char c : self()) line += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return line + " --sleep-ms " + std::to_string(ms);
}

TEST(Win32Window, TimerRunsOntimeButNotWhileARoutineWaits) {
    std::string wait = "[wait]\n#callwait(" + sleeper(600) + ")\n#echo(done,>>log.txt)\n";
    Bar bar(
        "[layout]\nwindow=[Timer] 10 10 100 60\ntimer=40\nbutton01=[b] [B] 5 5 60 22 [wait]\n"
        "[ontime]\n#echo(t,>>ticks.txt)\n" +
        wait);
    ASSERT_TRUE(bar.open());
    EXPECT_TRUE(Bar::until([&] { return bar.file("ticks.txt").size() >= 3; }));
    size_t before = bar.file("ticks.txt").size();
    SendMessageA(bar.control("b"), BM_CLICK, 0, 0);  // returns when the routine has ended
    EXPECT_EQ(bar.file("log.txt"), "done");
    EXPECT_LE(bar.file("ticks.txt").size(), before + 1);
    EXPECT_TRUE(Bar::until([&] { return bar.file("ticks.txt").size() >= before + 3; }));
}

TEST(Win32Window, ClosingWaitsForTheProgramRunsOnexitAndCleansUp) {
    std::string wait = "[wait]\n#callwait(" + sleeper(300) + ")\n#echo(done;,>>log.txt)\n";
    Bar bar(
        "[layout]\nwindow=[Closing] 10 10 100 60\nbgcolor=1 2 3\nbutton01=[b] [B] 5 5 60 22 [wait]\n"
        "[onexit]\n#echo(exit;,>>log.txt)\n" +
        wait);
    ASSERT_TRUE(bar.open());
    HWND h = bar.main();
    PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);  // arrives while the program runs
    SendMessageA(bar.control("b"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(h));
    SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(bar.ui->window_destroyed());
    EXPECT_EQ(bar.file("log.txt"), "done;exit;");
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Closing", &wc));
    EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));

    // exit( closes the window without running onexit.
    Bar quits(
        "[layout]\nwindow=[Quits] 10 10 100 60\nbutton01=[q] [Q] 5 5 60 22 [quit]\n"
        "[quit]\n#exit\n[onexit]\n#echo(exit;,>>log.txt)\n");
    ASSERT_TRUE(quits.open());
    SendMessageA(quits.control("q"), BM_CLICK, 0, 0);
    EXPECT_TRUE(quits.ui->window_destroyed());
    EXPECT_EQ(quits.file("log.txt"), "");
}

// Answers the dialog with the caption (null: any) from another thread, as a user.
std::thread answer_dialog(const char* caption, std::string file_name, WPARAM button) {
    return std::thread([=] {
        HWND dialog = nullptr;
        for (int i = 0; i < 500 && !(dialog && IsWindowVisible(dialog)); ++i) {
            Sleep(20);
            dialog = FindWindowA("#32770", caption);
        }
        Sleep(200);
        if (!file_name.empty()) {
            SetDlgItemTextA(dialog, cmb13, file_name.c_str());
            SetDlgItemTextA(dialog, edt1, file_name.c_str());
        }
        PostMessageA(dialog, WM_COMMAND, button, 0);
    });
}

TEST(Win32Window, CommonDialogsGiveTheChosenPathOrACancel) {
    Bar bar("[layout]\nwindow=[Dialogs] 10 10 100 60\n");
    ASSERT_TRUE(bar.open());
    testkit::write_bytes(bar.dir / "pick.txt", "x");
    std::string path = (bar.dir / "pick.txt").string();
    std::thread user = answer_dialog("Pick one", path, IDOK);
    FileDialogRequest request;
    request.title = "Pick one";
    request.filter = {{"Text", "*.txt"}, {"All", "*.*"}};
    request.initial_dir = bar.dir.path().string();
    request.flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    DialogResult r = bar.ui->file_dialog(request);
    user.join();
    EXPECT_EQ(r.outcome, DialogResult::Outcome::Chosen);
    EXPECT_EQ(r.path, path);

    std::thread save = answer_dialog("Keep it", "kept", IDOK);
    FileDialogRequest keep;
    keep.save = true;
    keep.title = "Keep it";
    keep.initial_dir = bar.dir.path().string();
    keep.default_ext = "obj";
    keep.flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    DialogResult kept = bar.ui->file_dialog(keep);
    save.join();
    EXPECT_EQ(kept.outcome, DialogResult::Outcome::Chosen);
    EXPECT_EQ(kept.path, (bar.dir / "kept.obj").string());

    std::thread cancel = answer_dialog(nullptr, "", IDCANCEL);
    DialogResult none = bar.ui->folder_dialog("Where", bar.dir.path().string());
    cancel.join();
    EXPECT_EQ(none.outcome, DialogResult::Outcome::Cancelled);
}

TEST(Win32Window, DrivesAreListedWithoutSystemPrompts) {
    SetErrorMode(0);
    Bar bar(
        "[layout]\nwindow=[Drives] 10 10 300 100\nlistbox01=[drives] [] 0 0 300 100 [x]\n"
        "[onload]\n#setdrives(drives,FIXED)\n");
    ASSERT_TRUE(bar.open());
    EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS);
    auto first = bar.ui->list_item(bar.slot("drives").index, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->substr(0, 5), "[-C-]");
}

// Starts dok.exe, which lies in bin/ beside this program's tests/.
struct Program {
    PROCESS_INFORMATION pi{};
    explicit Program(const std::string& args, const std::string& dir) {
        std::string exe = (std::filesystem::path(self()).parent_path().parent_path() / "bin" / "dok.exe").string();
        std::string line = "\"" + exe + "\" " + args;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi);
    }
    ~Program() {
        if (pi.hProcess) CloseHandle(pi.hProcess);
        if (pi.hThread) CloseHandle(pi.hThread);
    }
    // The exit code, or -1 when it has not ended in time.
    int wait(DWORD ms) {
        DWORD code = 0;
        if (!pi.hProcess || WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
        GetExitCodeProcess(pi.hProcess, &code);
        return static_cast<int>(code);
    }
};

TEST(Win32Window, ASecondProgramWithTheSameTitleBringsTheFirstToTheFront) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "one.ini", "[layout]\nwindow=[Only one] 10 10 120 60\n");
    Program first("one.ini", dir.path().string());
    HWND window = nullptr;
    ASSERT_TRUE(
        Bar::until([&] { return (window = FindWindowA("Only one", "Only one")) && IsWindowVisible(window); }, 10000));
    Bar cover("[layout]\nwindow=[Cover] 10 10 200 100\n");
    ASSERT_TRUE(cover.open());
    SetForegroundWindow(cover.main());
    ASSERT_TRUE(Bar::until([&] { return GetForegroundWindow() == cover.main(); }));
    Program second("one.ini", dir.path().string());
    EXPECT_EQ(second.wait(10000), 0);
    EXPECT_TRUE(Bar::until([&] { return GetForegroundWindow() == window; }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.wait(10000), 0);
}

}  // namespace
}  // namespace dok::test

// The tests start this program as the program a script waits for.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--sleep-ms") {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
