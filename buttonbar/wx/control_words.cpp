// The words on the real controls: texts, marks, states and lists.
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "engine/list_order.hpp"
#include "platform/paths.hpp"
#include "wx/toolkit.hpp"
#include "wx/ui.hpp"

namespace dok {
namespace {

bool multiline(const ControlView& v) { return v.record.kind == kEdit && (v.record.style & style::kEsMultiline); }

// A multi-line edit holds CR LF line ends, as on Windows.
std::string with_crlf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string without_cr(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
    return out;
}

bool sorted(const ControlView& v) {
    return v.record.kind == kListbox ? (v.record.style & style::kLbsSort) != 0
                                     : (v.record.style & style::kCbsSort) != 0;
}

// The selected item stays selected when items come and go before it.
void keep_selection(ControlView& v, int sel) {
    if (v.items->GetSelection() == sel) return;
    if (sel < 0) {
        if (v.list) v.list->SetSelection(wxNOT_FOUND);
        return;  // an edit field keeps its text
    }
    v.items->SetSelection(sel);
}

std::string item_text(const ControlView& v, int i) { return from_wx(v.items->GetString(static_cast<unsigned>(i))); }

}  // namespace

ControlView* WxUi::view(size_t control) {
    return control < views_.size() && views_[control].window ? &views_[control] : nullptr;
}

ControlView* WxUi::list_view(size_t control) {
    ControlView* v = view(control);
    return v && v->items ? v : nullptr;
}

std::string WxUi::control_text(size_t control) {
    ControlView* v = view(control);
    if (!v) return {};
    if (v->record.kind == kListbox) return v->text;
    if (auto* entry = dynamic_cast<wxTextEntry*>(v->window)) {
        std::string text = from_wx(entry->GetValue());
        return multiline(*v) ? with_crlf(text) : text;
    }
    return from_wx(v->window->GetLabel());
}

void WxUi::set_control_text(size_t control, std::string_view text) {
    ControlView* v = view(control);
    if (!v) return;
    QuietChange quiet(*this);
    if (v->record.kind == kListbox) {
        v->text = text;
    } else if (v->entry) {
        v->entry->ChangeValue(to_wx(multiline(*v) ? without_cr(text) : std::string(text)));
    } else if (v->items) {
        int at = v->items->FindString(to_wx(text), true);
        if (at != wxNOT_FOUND) v->items->SetSelection(at);
    } else {
        v->window->SetLabel(to_wx(text));
    }
}

bool WxUi::checked(size_t control) {
    ControlView* v = view(control);
    return v && v->checked;
}

void WxUi::set_checked(size_t control, bool on) {
    if (ControlView* v = view(control)) set_mark(*this, *v, on);
}

void WxUi::enable(size_t control, bool on) {
    if (ControlView* v = view(control))
        for (wxWindow* w : v->parts) w->Enable(on);
}

void WxUi::show(size_t control, bool on) {
    if (ControlView* v = view(control))
        for (wxWindow* w : v->parts) w->Show(on);
}

void WxUi::set_focus(size_t control) {
    if (ControlView* v = view(control)) v->window->SetFocus();
}

void WxUi::list_reset(size_t control) {
    ControlView* v = list_view(control);
    if (!v) return;
    QuietChange quiet(*this);
    v->items->Clear();
    if (v->entry) v->entry->ChangeValue(wxEmptyString);
}

int WxUi::list_add(size_t control, std::string_view text) {
    ControlView* v = list_view(control);
    if (!v) return -1;
    QuietChange quiet(*this);
    int count = static_cast<int>(v->items->GetCount());
    int at = sorted(*v) ? sorted_position(count, text, [&](int i) { return item_text(*v, i); }) : count;
    int sel = v->items->GetSelection();
    int added = v->items->Insert(to_wx(text), static_cast<unsigned>(at));
    keep_selection(*v, sel == wxNOT_FOUND ? -1 : sel >= added ? sel + 1 : sel);
    return added;
}

int WxUi::list_delete(size_t control, int index) {
    ControlView* v = list_view(control);
    if (!v || index < 0 || index >= static_cast<int>(v->items->GetCount())) return -1;
    QuietChange quiet(*this);
    int sel = v->items->GetSelection();
    v->items->Delete(static_cast<unsigned>(index));
    keep_selection(*v, sel == wxNOT_FOUND || sel == index ? -1 : sel > index ? sel - 1 : sel);
    return static_cast<int>(v->items->GetCount());
}

int WxUi::list_select(size_t control, int index) {
    ControlView* v = list_view(control);
    if (!v) return -1;
    QuietChange quiet(*this);
    if (index < 0 || index >= static_cast<int>(v->items->GetCount())) {
        v->items->SetSelection(wxNOT_FOUND);
        if (v->entry) v->entry->ChangeValue(wxEmptyString);
        return -1;
    }
    v->items->SetSelection(index);
    if (v->list) v->list->EnsureVisible(index);
    if (v->entry && v->list) v->entry->ChangeValue(v->items->GetString(static_cast<unsigned>(index)));
    return index;
}

int WxUi::list_selection(size_t control) {
    ControlView* v = list_view(control);
    if (!v) return -1;
    int sel = v->items->GetSelection();
    return sel == wxNOT_FOUND ? -1 : sel;
}

int WxUi::list_count(size_t control) {
    ControlView* v = list_view(control);
    return v ? static_cast<int>(v->items->GetCount()) : -1;
}

int WxUi::list_find(size_t control, std::string_view prefix) {
    ControlView* v = list_view(control);
    if (!v) return -1;
    int count = static_cast<int>(v->items->GetCount());
    for (int i = 0; i < count; ++i)
        if (platform::starts_with_ignore_case(item_text(*v, i), prefix)) return i;
    return -1;
}

std::optional<std::string> WxUi::list_item(size_t control, int index) {
    ControlView* v = list_view(control);
    if (!v || index < 0 || index >= static_cast<int>(v->items->GetCount())) return std::nullopt;
    return item_text(*v, index);
}

}  // namespace dok
