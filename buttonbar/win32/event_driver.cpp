#include "win32/event_driver.hpp"

#include <vector>

#include "engine/event_line.hpp"
#include "engine/events.hpp"
#include "platform/paths.hpp"
#include "win32/ui.hpp"

namespace dok {
namespace {

constexpr UINT kTickMs = 10;
constexpr char kDriverClass[] = "DokEventDriver";

bool has_class(HWND h, const char* name) {
    char actual[32] = "";
    return h && GetClassNameA(h, actual, sizeof actual) && lstrcmpiA(actual, name) == 0;
}

BOOL CALLBACK find_dialog(HWND h, LPARAM found) {
    if (!has_class(h, "#32770") || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

HWND open_box() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::string menu_string(HMENU menu, int position) {
    int length = GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    GetMenuStringA(menu, static_cast<UINT>(position), text.data(), length + 1, MF_BYPOSITION);
    return text.data();
}

// The command id of the first item with that text, pop-ups walked in
// order; 0 when there is none. Pop-up titles are not items.
UINT find_item(HMENU menu, const std::string& wanted) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            if (UINT id = find_item(popup, wanted)) return id;
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1) &&
            platform::equals_ignore_case(without_ampersands(menu_string(menu, i)), wanted))
            return id;
    }
    return 0;
}

// Where typing goes: the edit, or the edit field of a drop-down or combo box.
HWND typing_target(const ControlSlot& s) {
    if (s.record.kind == kEdit) return s.window;
    if (s.edit) return s.edit;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(s.window, &info) || !has_class(info.hwndItem, "Edit")) return nullptr;
    return info.hwndItem;
}

bool usable(const ControlSlot& s) { return s.window && IsWindowVisible(s.window) && IsWindowEnabled(s.window); }

}  // namespace

Win32EventDriver::Win32EventDriver(std::istream& events, Win32Ui& ui) : events_(events), ui_(ui) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kDriverClass;
    RegisterClassA(&wc);  // already registered by an earlier driver of the process: fine
    window_ = CreateWindowExA(0, kDriverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    if (window_) SetTimer(window_, 1, kTickMs, nullptr);
}

Win32EventDriver::~Win32EventDriver() {
    if (!window_) return;
    KillTimer(window_, 1);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK Win32EventDriver::proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCREATE)
        SetWindowLongPtrA(h, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams));
    auto* driver = reinterpret_cast<Win32EventDriver*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (m == WM_TIMER && driver) {
        driver->tick();
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

bool Win32EventDriver::next_line(std::string& line) {
    if (!std::getline(events_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool Win32EventDriver::idle() const {
    return !performing_ && !ended_ && ui_.main_window() && ui_.loop_running() && ui_.painted() && !ui_.dispatching();
}

void Win32EventDriver::tick() {
    if (ui_.open_boxes() > 0) {
        answer_box();
        return;
    }
    if (!idle()) return;
    std::string line;
    if (!next_line(line)) {
        ended_ = true;
        ui_.destroy_window();
        return;
    }
    performing_ = true;
    perform(parse_event_line(line));
    performing_ = false;
}

void Win32EventDriver::answer_box() {
    HWND box = open_box();
    if (!box) return;
    if (ui_.box_serial() != answered_) {
        answered_ = ui_.box_serial();
        tries_ = 0;
        answer_ = kIdOk;
        std::string line;
        if (ui_.box_buttons() != BoxButtons::Ok) answer_ = next_line(line) ? parse_box_answer(line) : kIdCancel;
        HWND button = GetDlgItem(box, answer_);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button)) {
            SendMessageA(button, BM_CLICK, 0, 0);
            return;
        }
    } else if (++tries_ < 3) {
        return;  // the click is still on its way
    }
    // No button for that answer, or the click was lost: the command it sends.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
}

void Win32EventDriver::perform(const EventLine& e) {
    HWND main = ui_.main_window();
    switch (e.verb) {
        case EventVerb::None: return;
        case EventVerb::Timer:
            if (ui_.layout().timer_ms != 0) SendMessageA(main, WM_TIMER, kTimerId, 0);
            return;
        case EventVerb::Close: SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); return;
        case EventVerb::Menu: menu(e.name); return;
        default: break;
    }
    ControlSlot* s = ui_.find_slot(e.name);
    if (s && usable(*s)) perform_on(e, *s);
}

void Win32EventDriver::perform_on(const EventLine& e, ControlSlot& s) {
    uint16_t kind = s.record.kind;
    switch (e.verb) {
        case EventVerb::Click:
            if (kind == kButton || kind == kRadio || kind == kCheck) SendMessageA(s.window, BM_CLICK, 0, 0);
            break;
        case EventVerb::Type:
            if (kind == kEdit || kind == kDropdown || kind == kCombobox) type(s, e.rest);
            break;
        case EventVerb::Select:
        case EventVerb::DblClick:
            if (auto n = parse_event_index(e.rest); n && s.record.is_list())
                select(s, *n, e.verb == EventVerb::DblClick);
            break;
        case EventVerb::Key: {
            std::string_view k = trim_event_text(e.rest);
            if (platform::equals_ignore_case(k, "tab")) key(s, VK_TAB);
            else if (platform::equals_ignore_case(k, "enter")) key(s, VK_RETURN);
            break;
        }
        default: break;
    }
}

void Win32EventDriver::type(ControlSlot& s, const std::string& text) {
    HWND target = typing_target(s);
    if (!target) return;
    SetFocus(target);
    if (!IsWindow(target)) return;
    SendMessageA(target, EM_SETSEL, 0, -1);  // the typed text replaces the old one
    if (text.empty()) {
        SendMessageA(target, WM_KEYDOWN, VK_DELETE, 1);
        if (IsWindow(target)) SendMessageA(target, WM_KEYUP, VK_DELETE, 0xC0000001);
    }
    for (char c : text) {
        if (!IsWindow(target) || ui_.window_destroyed()) break;
        SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

void Win32EventDriver::key(ControlSlot& s, int vk) {
    HWND target = s.hooked ? s.hooked : s.window;
    SetFocus(target);
    const WPARAM ch = vk == VK_TAB ? '\t' : '\r';
    const std::pair<UINT, WPARAM> messages[] = {{WM_KEYDOWN, static_cast<WPARAM>(vk)}, {WM_CHAR, ch},
                                                {WM_KEYUP, static_cast<WPARAM>(vk)}};
    for (const auto& [message, w] : messages) {
        if (!IsWindow(target) || ui_.window_destroyed()) break;
        SendMessageA(target, message, w, message == WM_KEYUP ? 0xC0000001 : 1);
    }
}

void Win32EventDriver::select(ControlSlot& s, int index, bool twice) {
    ui_.list_select(s.index, index);
    int code = twice ? kLbnDblClk : kLbnSelChange;  // the same codes for combo boxes
    if (HWND main = ui_.main_window())
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(s.record.id, code), reinterpret_cast<LPARAM>(s.window));
}

void Win32EventDriver::menu(const std::string& text) {
    HWND main = ui_.main_window();
    HMENU bar = main ? GetMenu(main) : nullptr;
    if (!bar) return;
    if (UINT id = find_item(bar, without_ampersands(text))) SendMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace dok
