// The main window: class, creation, window procedure, painting, timer,
// closing and the message loop.
#include <algorithm>
#include <ostream>

#include "platform/paths.hpp"
#include "win32/event_driver.hpp"
#include "win32/images.hpp"
#include "win32/ui.hpp"

namespace dok {
namespace {

constexpr int kMaxPixels = 0x7FFF;

int position(int32_t v) { return v == kDefaultPosition ? CW_USEDEFAULT : std::clamp(v, -kMaxPixels, kMaxPixels); }

// Keeps the dispatch depth for the engine's handlers.
class Depth {
public:
    explicit Depth(int& d) : d_(d) { ++d_; }
    ~Depth() { --d_; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    int& d_;
};

// The outer size: the client size enlarged by the frame, the title bar and
// the menu bar as the system measures them.
SIZE outer_size_of(const WindowLayout& w) {
    int width = pixels(w.width) + 2 * GetSystemMetrics(SM_CXFRAME);
    int height = pixels(w.height) + 2 * GetSystemMetrics(SM_CYFRAME);
    if (w.has_caption) height += GetSystemMetrics(SM_CYCAPTION);
    if (w.has_menu) height += GetSystemMetrics(SM_CYMENU);
    return {width, height};
}

}  // namespace

int pixels(uint64_t v) { return static_cast<int>(std::min<uint64_t>(v, kMaxPixels)); }

std::unique_ptr<Ui> make_window_ui(const WindowUiSettings& settings, std::string&) {
    return std::make_unique<Win32Ui>(settings);
}

Win32Ui::Win32Ui(const WindowUiSettings& settings) : settings_(settings) {
    if (settings_.events) driver_ = std::make_unique<Win32EventDriver>(*settings_.events, *this);
}

Win32Ui::~Win32Ui() {
    events_ = nullptr;
    if (window_ && !destroyed_) DestroyWindow(window_);
    driver_.reset();
    if (class_registered_) UnregisterClassA(class_name_.c_str(), GetModuleHandleA(nullptr));
    if (icon_) DestroyIcon(icon_);
}

template <typename F>
void Win32Ui::dispatch(F f) {
    if (!events_ || destroyed_) return;
    Depth d(depth_);
    f(*events_);
}

ControlSlot* Win32Ui::slot(size_t control) {
    return control < slots_.size() && slots_[control].window ? &slots_[control] : nullptr;
}

ControlSlot* Win32Ui::find_slot(std::string_view name) {
    for (ControlSlot& s : slots_)
        if (s.record.kind != kMenu && platform::equals_ignore_case(s.record.name, name)) return &s;
    return nullptr;
}

bool Win32Ui::register_class() {
    // The class is named after the instance key; a bar without a title
    // still needs a name.
    class_name_ = layout_.title.empty() ? "Dok" : layout_.title.substr(0, 39);
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = main_window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WINLOGO));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszMenuName = "Menu";
    wc.lpszClassName = class_name_.c_str();
    class_registered_ = RegisterClassA(&wc) != 0;
    return class_registered_;
}

bool Win32Ui::create_window(const WindowLayout& window, const ControlTable& controls, WindowEvents& events) {
    layout_ = window;
    events_ = &events;
    icon_ = load_icon_file(window.icon_path);
    picture_ = load_bitmap_file(window.bitmap_path);
    if (!register_class()) return false;
    outer_ = outer_size_of(window);
    slots_.assign(controls.records.size(), ControlSlot{});
    for (size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].ui = this;
        slots_[i].index = i;
        slots_[i].record = controls.records[i];
    }
    DWORD ex = window.has_caption ? WS_EX_CLIENTEDGE : WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    DWORD style = window.has_caption ? WS_SYSMENU | WS_MINIMIZEBOX : WS_POPUPWINDOW;
    destroyed_ = false;
    HWND h = CreateWindowExA(ex, class_name_.c_str(), window.title.c_str(), style, position(window.x),
                             position(window.y), outer_.cx, outer_.cy, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!h) {
        destroyed_ = true;
        return false;
    }
    created_ = true;
    if (HMENU system = GetSystemMenu(h, FALSE))
        for (UINT item : {SC_RESTORE, SC_SIZE, SC_MAXIMIZE}) DeleteMenu(system, item, MF_BYCOMMAND);
    ShowWindow(h, SW_HIDE);
    UpdateWindow(h);
    if (window.always_on_top)
        SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
    if (window.has_menu) build_menu();
    create_controls();
    return true;
}

void Win32Ui::create_controls() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (ControlSlot& s : slots_) {
        const ControlRecord& r = s.record;
        if (r.kind == kMenu) continue;
        std::string window_class(r.window_class());
        s.window = CreateWindowExA(0, window_class.c_str(), r.text.c_str(), r.style, pixels(r.x), pixels(r.y),
                                   pixels(r.width), pixels(r.height), window_, reinterpret_cast<HMENU>(UINT_PTR{r.id}),
                                   instance, nullptr);
        if (!s.window) continue;
        SendMessageA(s.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        if (r.kind == kEdit) SendMessageA(s.window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
        if (r.kind == kButton) add_tooltip(s);
        hook_control(s);
    }
}

LRESULT CALLBACK main_window_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(l);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* ui = reinterpret_cast<Win32Ui*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    return ui ? ui->handle(h, m, w, l) : DefWindowProcA(h, m, w, l);
}

LRESULT Win32Ui::handle(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_CREATE: return on_create(h) ? 0 : -1;
        case WM_PAINT:
            painted_ = true;
            if (!picture_) break;
            paint(h);
            return 0;
        case WM_CTLCOLORSTATIC: return control_colour(reinterpret_cast<HDC>(w), true);
        case WM_CTLCOLORBTN: return control_colour(reinterpret_cast<HDC>(w), false);
        case WM_TIMER:
            if (w != kTimerId) break;
            dispatch([](WindowEvents& e) { e.on_timer(); });
            return 0;
        case WM_COMMAND:
            dispatch([w](WindowEvents& e) { e.on_command(LOWORD(w), HIWORD(w)); });
            return 0;
        case WM_SYSCOMMAND:
            if ((w & 0xFFF0) == SC_CLOSE && events_ && !destroyed_ && !events_->close_allowed()) return 0;
            break;
        case kKeyReport:
            dispatch([w, l](WindowEvents& e) { e.on_key(static_cast<size_t>(l), static_cast<int>(w)); });
            return 0;
        case WM_DESTROY: on_destroy(h); return 0;
        default: break;
    }
    return DefWindowProcA(h, m, w, l);
}

bool Win32Ui::on_create(HWND h) {
    window_ = h;
    brush_ = CreateSolidBrush(layout_.background & 0xFFFFFF);
    SetClassLongPtrA(h, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_));
    if (icon_)
        previous_icon_ = reinterpret_cast<HICON>(SetClassLongPtrA(h, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon_)));
    font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                        CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_ROMAN, "Arial");
    // Under DOK_EVENTS the "timer" lines fire it, so that every run is the same.
    if (layout_.timer_ms != 0 && !driver_) {
        timer_running_ = SetTimer(h, kTimerId, layout_.timer_ms, nullptr) != 0;
        if (!timer_running_) {
            message_box("Error", "Couldn't create a timer", BoxButtons::Ok, BoxIcon::None, true);
            return false;
        }
    }
    return true;
}

void Win32Ui::paint(HWND h) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT client;
    GetClientRect(h, &client);
    BITMAP bm{};
    GetObjectA(picture_, sizeof bm, &bm);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture_);
    BitBlt(dc, 0, 0, std::min<LONG>(client.right, bm.bmWidth), std::min<LONG>(client.bottom, bm.bmHeight), memory, 0,
           0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(h, &ps);
}

LRESULT Win32Ui::control_colour(HDC dc, bool transparent) {
    if (transparent) SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, layout_.background & 0xFFFFFF);
    SetTextColor(dc, layout_.foreground & 0xFFFFFF);
    return reinterpret_cast<LRESULT>(brush_);
}

void Win32Ui::on_destroy(HWND h) {
    // A window whose creation failed ran no routine and runs none now.
    if (created_ && events_) {
        Depth d(depth_);
        events_->on_destroy();
    }
    destroyed_ = true;
    for (ControlSlot& s : slots_) unhook_control(s);
    if (timer_running_) KillTimer(h, kTimerId);
    timer_running_ = false;
    SetClassLongPtrA(h, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(WHITE_BRUSH)));
    if (icon_) SetClassLongPtrA(h, GCLP_HICON, reinterpret_cast<LONG_PTR>(previous_icon_));
    for (HGDIOBJ* o : {reinterpret_cast<HGDIOBJ*>(&brush_), reinterpret_cast<HGDIOBJ*>(&font_),
                       reinterpret_cast<HGDIOBJ*>(&picture_)}) {
        if (*o) DeleteObject(*o);
        *o = nullptr;
    }
    // Nothing to end when onload closed the window before the loop ran.
    if (loop_depth_ > 0) PostQuitMessage(0);
}

void Win32Ui::show_window() {
    if (!window_ || destroyed_) return;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void Win32Ui::idle() {
    if (events_ && !destroyed_) events_->on_idle();
}

void Win32Ui::run_message_loop() {
    if (!window_ || destroyed_) return;
    ++loop_depth_;
    MSG m;
    bool quit = false;
    while (!quit && !destroyed_) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                quit = true;
                break;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (quit || destroyed_) break;
        idle();
        // Wakes for input, or after a while to look for requests of a second program.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    --loop_depth_;
}

void Win32Ui::pump_messages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));  // for the main loop
            return;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void Win32Ui::destroy_window() {
    if (window_ && created_ && !destroyed_) DestroyWindow(window_);
}

void Win32Ui::bring_to_front() {
    if (!window_ || destroyed_) return;
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
}

void Win32Ui::set_window_title(std::string_view title) {
    if (window_ && !destroyed_) SetWindowTextA(window_, std::string(title).c_str());
}

void Win32Ui::move_window(int32_t x, int32_t y) {
    if (window_ && !destroyed_) MoveWindow(window_, position(x), position(y), outer_.cx, outer_.cy, TRUE);
}

WindowPosition Win32Ui::window_position() {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    if (!window_ || destroyed_ || !GetWindowPlacement(window_, &p)) return {};
    return {p.rcNormalPosition.left, p.rcNormalPosition.top};
}

void Win32Ui::load_picture(std::string_view path) {
    if (picture_) DeleteObject(picture_);
    picture_ = load_bitmap_file(std::string(path));
    if (window_ && !destroyed_) InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace dok
