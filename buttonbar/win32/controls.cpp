// What the controls get after their creation: the tooltip of a button and
// its relay of mouse messages, and the key hooks, all through one
// replacement window procedure per hooked window.
#include <windows.h>
#include <commctrl.h>

#include "win32/ui.hpp"

namespace dok {
namespace {

constexpr COLORREF kTipColour = RGB(128, 255, 255);

bool drop_list(const ControlRecord& r) { return (r.style & style::kCbsTypeMask) == style::kCbsDropDownList; }

// The edit field inside a drop-down or combo box.
HWND edit_child(HWND combo) {
    POINT p{4, 3};
    HWND child = ChildWindowFromPoint(combo, p);
    char name[16] = "";
    if (child && child != combo && GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "Edit") == 0)
        return child;
    // A combo box too small to hold the point still has its field.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

bool is_mouse_message(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_RBUTTONUP && m != WM_LBUTTONDBLCLK; }

LRESULT CALLBACK control_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* s = reinterpret_cast<ControlSlot*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!s || s->hooked != h || !s->previous) return DefWindowProcA(h, m, w, l);
    WNDPROC previous = s->previous;
    if (s->relay && is_mouse_message(m) && s->ui->tooltip()) {
        MSG msg{h, m, w, l, static_cast<DWORD>(GetMessageTime()), {}};
        DWORD pos = GetMessagePos();
        msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        SendMessageA(s->ui->tooltip(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (m == WM_KEYDOWN && ((w == VK_TAB && s->tab) || (w == VK_RETURN && s->enter))) {
        if (HWND main = s->ui->main_window()) SendMessageA(main, kKeyReport, w, static_cast<LPARAM>(s->index));
        // The routine may have closed the window.
        if (!IsWindow(h)) return 0;
    }
    if (m == WM_CHAR && s->digits && w != VK_BACK && !(w >= '0' && w <= '9')) return 0;
    return CallWindowProcA(previous, h, m, w, l);
}

void replace_procedure(ControlSlot& s, HWND h) {
    s.hooked = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
    s.previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_proc)));
}

}  // namespace

void Win32Ui::add_tooltip(ControlSlot& s) {
    if (!tooltip_) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        tooltip_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (!tooltip_) return;
        SendMessageA(tooltip_, TTM_SETTIPBKCOLOR, kTipColour, 0);
    }
    const ControlRecord& r = s.record;
    std::string text = r.options.value_or("");
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = window_;
    ti.uId = reinterpret_cast<UINT_PTR>(s.window);
    ti.rect = {pixels(r.x), pixels(r.y), pixels(uint64_t{r.x} + r.width), pixels(uint64_t{r.y} + r.height)};
    ti.hinst = GetModuleHandleA(nullptr);
    ti.lpszText = text.data();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    s.relay = true;
}

void hook_control(ControlSlot& s) {
    const ControlRecord& r = s.record;
    HWND target = nullptr;
    switch (r.kind) {
        case kEdit:
            target = s.window;
            s.tab = s.enter = true;
            break;
        case kButton:
        case kRadio:
        case kCheck:
            target = s.window;
            s.tab = true;
            break;
        case kDropdown:
        case kCombobox: {
            bool digits = (r.extra & style::kExtraDigitsOnly) != 0;
            if (r.kind == kDropdown && drop_list(r)) {
                target = s.window;
            } else if (r.kind == kDropdown || (digits && !drop_list(r))) {
                target = s.edit = edit_child(s.window);
                s.digits = digits;
            }
            s.tab = s.enter = target != nullptr;
            break;
        }
        default: break;
    }
    SetWindowLongPtrA(s.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
    if (target) replace_procedure(s, target);
}

void unhook_control(ControlSlot& s) {
    if (s.hooked && s.previous && IsWindow(s.hooked))
        SetWindowLongPtrA(s.hooked, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s.previous));
    s.hooked = nullptr;
    s.previous = nullptr;
}

}  // namespace dok
