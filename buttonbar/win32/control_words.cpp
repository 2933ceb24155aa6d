// The words on the controls: window texts, check marks, states, and the
// list operations through the messages of list boxes and combo boxes.
#include <algorithm>

#include "win32/ui.hpp"

namespace dok {
namespace {

struct ListMessages {
    UINT reset, select, selection, add, remove, find, text, text_length, count;
};

constexpr ListMessages kComboMessages{CB_RESETCONTENT, CB_SETCURSEL, CB_GETCURSEL,   CB_ADDSTRING, CB_DELETESTRING,
                                      CB_FINDSTRING,   CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETCOUNT};
constexpr ListMessages kListMessages{LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL,  LB_ADDSTRING, LB_DELETESTRING,
                                     LB_FINDSTRING,   LB_GETTEXT,   LB_GETTEXTLEN, LB_GETCOUNT};

// The list of a control, or null for the other kinds.
const ListMessages* messages_of(const ControlSlot& s) {
    if (s.record.kind == kListbox) return &kListMessages;
    if (s.record.kind == kDropdown || s.record.kind == kCombobox) return &kComboMessages;
    return nullptr;
}

// -1 for every error value (CB_ERR, CB_ERRSPACE and their list box twins).
int result(LRESULT r) { return r < 0 ? -1 : static_cast<int>(r); }

}  // namespace

std::string Win32Ui::control_text(size_t control) {
    ControlSlot* s = slot(control);
    if (!s) return {};
    int length = GetWindowTextLengthA(s->window);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(s->window, text.data(), length + 1))));
    return text;
}

void Win32Ui::set_control_text(size_t control, std::string_view text) {
    if (ControlSlot* s = slot(control)) SetWindowTextA(s->window, std::string(text).c_str());
}

bool Win32Ui::checked(size_t control) {
    ControlSlot* s = slot(control);
    return s && SendMessageA(s->window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Ui::set_checked(size_t control, bool on) {
    if (ControlSlot* s = slot(control)) SendMessageA(s->window, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Ui::enable(size_t control, bool on) {
    if (ControlSlot* s = slot(control)) EnableWindow(s->window, on);
}

void Win32Ui::show(size_t control, bool on) {
    if (ControlSlot* s = slot(control)) ShowWindow(s->window, on ? SW_SHOW : SW_HIDE);
}

void Win32Ui::set_focus(size_t control) {
    if (ControlSlot* s = slot(control)) SetFocus(s->window);
}

void Win32Ui::list_reset(size_t control) {
    ControlSlot* s = slot(control);
    if (const ListMessages* m = s ? messages_of(*s) : nullptr) SendMessageA(s->window, m->reset, 0, 0);
}

int Win32Ui::list_add(size_t control, std::string_view text) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    if (!m) return -1;
    std::string item(text);
    return result(SendMessageA(s->window, m->add, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

int Win32Ui::list_delete(size_t control, int index) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    return m ? result(SendMessageA(s->window, m->remove, static_cast<WPARAM>(index), 0)) : -1;
}

int Win32Ui::list_select(size_t control, int index) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    return m ? result(SendMessageA(s->window, m->select, static_cast<WPARAM>(index), 0)) : -1;
}

int Win32Ui::list_selection(size_t control) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    return m ? result(SendMessageA(s->window, m->selection, 0, 0)) : -1;
}

int Win32Ui::list_count(size_t control) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    return m ? result(SendMessageA(s->window, m->count, 0, 0)) : -1;
}

int Win32Ui::list_find(size_t control, std::string_view prefix) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    if (!m) return -1;
    std::string text(prefix);
    return result(SendMessageA(s->window, m->find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

std::optional<std::string> Win32Ui::list_item(size_t control, int index) {
    ControlSlot* s = slot(control);
    const ListMessages* m = s ? messages_of(*s) : nullptr;
    if (!m || index < 0) return std::nullopt;
    LRESULT length = SendMessageA(s->window, m->text_length, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::nullopt;
    // The length may count the bytes of a wider text: room for that much.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(s->window, m->text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (got < 0) return std::nullopt;
    text.resize(std::min(static_cast<size_t>(got), static_cast<size_t>(length)));
    return text;
}

}  // namespace dok
