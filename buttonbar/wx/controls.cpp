// The controls of the window, one creator per kind, and the notifications
// their events give.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <algorithm>

#include "engine/events.hpp"
#include "wx/gtk.hpp"
#include "wx/toolkit.hpp"
#include "wx/ui.hpp"

namespace dok {
namespace {

using namespace style;

constexpr int kMaxCoordinate = 30000;

struct FocusCodes {
    int set, kill;
};

int clamp_pixels(uint32_t v) { return static_cast<int>(std::min<uint32_t>(v, kMaxCoordinate)); }
wxPoint place(const ControlRecord& r) { return wxPoint(clamp_pixels(r.x), clamp_pixels(r.y)); }
wxSize extent(const ControlRecord& r) { return wxSize(clamp_pixels(r.width), clamp_pixels(r.height)); }

wxColour text_colour(WxUi& ui) {
    uint32_t c = ui.layout().foreground;
    return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void adopt(ControlView& v, wxWindow* w) {
    if (!v.window) v.window = w;
    v.parts.push_back(w);
    w->SetFont(control_font());
}

// A list of a list box or simple combo box: its vertical bar always shown
// with the disable-no-scroll style, else when the rows need it.
wxListBox* make_list(WxUi& ui, wxPoint at, wxSize size, bool always_bar) {
    long style = wxLB_SINGLE | (always_bar ? wxLB_ALWAYS_SB : 0);
    auto* list = new wxListBox(ui.canvas(), wxID_ANY, at, size, 0, nullptr, style);
    fit_scroll_bars(list, size.y);
    keep_selection_on_focus(list);
    return list;
}

bool automatic(const ControlRecord& r) {
    uint32_t type = r.style & kBsTypeMask;
    return type == kBsAutoRadioButton || type == kBsAutoCheckBox;
}

// BN_CLICKED of a radio or check box. Automatic boxes change their mark
// (a radio button clears the other automatic ones); the others keep it
// until the program sets it.
void clicked(WxUi& ui, size_t index) {
    if (ui.quiet() || ui.window_destroyed()) return;
    ControlView& v = ui.views()[index];
    if (!automatic(v.record)) {
        set_mark(ui, v, v.checked);
    } else if (v.record.kind == kRadio) {
        for (ControlView& other : ui.views())
            if (other.record.kind == kRadio && automatic(other.record)) set_mark(ui, other, &other == &v);
    } else {
        set_mark(ui, v, !v.checked);
    }
    ui.notify(index, kBnClicked);
}

void bind_focus(WxUi& ui, size_t index, wxWindow* w, FocusCodes codes) {
    w->Bind(wxEVT_SET_FOCUS, [&ui, index, w, codes](wxFocusEvent& e) {
        e.Skip();
        if (ui.window_destroyed() || ui.focus_returning(w)) return;
        if (e.GetWindow() && ui.view_of(e.GetWindow()) == index) return;  // between parts of one control
        ui.notify(index, codes.set);
    });
    w->Bind(wxEVT_KILL_FOCUS, [&ui, index, codes](wxFocusEvent& e) {
        e.Skip();
        if (ui.window_destroyed()) return;
        if (e.GetWindow() && ui.view_of(e.GetWindow()) == index) return;
        ui.notify(index, codes.kill);
    });
}

bool upper_case(const ControlRecord& r) {
    return r.kind == kEdit ? (r.style & kEsUppercase) != 0 : (r.style & kCbsUppercase) != 0;
}
bool lower_case(const ControlRecord& r) {
    return r.kind == kEdit ? (r.style & kEsLowercase) != 0 : (r.style & kCbsLowercase) != 0;
}

// A typed character: digits-only fields swallow all but digits and
// backspace, case fields convert letters.
void on_char(WxUi& ui, size_t index, wxKeyEvent& e) {
    ControlView& v = ui.views()[index];
    int c = e.GetUnicodeKey();
    if (c == WXK_NONE || c < 32 || e.ControlDown() || e.AltDown() || !v.entry) {
        e.Skip();
        return;
    }
    if (digits_only(v.record) && !(c >= '0' && c <= '9')) return;
    long from = 0, to = 0;
    v.entry->GetSelection(&from, &to);
    v.replacing = from != to && v.entry->IsEditable();
    wxString typed(static_cast<wxUniChar>(c));
    wxString converted = upper_case(v.record) ? typed.Upper() : lower_case(v.record) ? typed.Lower() : typed;
    if (converted != typed) {
        v.entry->WriteText(converted);
        return;
    }
    e.Skip();
}

// A change of the edit text: EN_CHANGE, or CBN_EDITUPDATE and
// CBN_EDITCHANGE; not for a selection from the list, which reports
// CBN_SELCHANGE instead.
void on_text(WxUi& ui, size_t index) {
    if (ui.quiet() || ui.window_destroyed()) return;
    ControlView& v = ui.views()[index];
    if (v.replacing) {
        v.replacing = false;  // the deletion of a typed-over selection
        return;
    }
    if (v.record.kind == kEdit) {
        ui.notify(index, kEnChange);
        return;
    }
    if (!v.list && v.items && v.entry) {
        int sel = v.items->GetSelection();
        if (sel != wxNOT_FOUND && v.items->GetString(static_cast<unsigned>(sel)) == v.entry->GetValue()) return;
    }
    ui.notify(index, kCbnEditUpdate);
    ui.notify(index, kCbnEditChange);
}

void bind_typing(WxUi& ui, size_t index, wxWindow* w) {
    w->Bind(wxEVT_CHAR, [&ui, index](wxKeyEvent& e) { on_char(ui, index, e); });
    w->Bind(wxEVT_TEXT, [&ui, index](wxCommandEvent&) { on_text(ui, index); });
}

void make_static(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    auto* w = new wxStaticText(ui.canvas(), wxID_ANY, to_wx(v.record.text), place(v.record), extent(v.record),
                               wxST_NO_AUTORESIZE | wxALIGN_LEFT);
    adopt(v, w);
    w->SetForegroundColour(text_colour(ui));
}

void make_groupbox(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    auto* w = new wxStaticBox(ui.canvas(), wxID_ANY, to_wx(v.record.text), place(v.record), extent(v.record));
    adopt(v, w);
    w->SetForegroundColour(text_colour(ui));
}

void make_edit(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    uint32_t s = v.record.style;
    long style = 0;
    if (s & kEsMultiline) style |= wxTE_MULTILINE | wxTE_NO_VSCROLL;
    if (s & kEsReadOnly) style |= wxTE_READONLY;
    if (s & kEsCenter) style |= wxTE_CENTRE;
    auto* w = new wxTextCtrl(ui.canvas(), wxID_ANY, wxEmptyString, place(v.record), extent(v.record), style);
    w->ChangeValue(to_wx(v.record.text));
    adopt(v, w);
    v.entry = w;
    bind_typing(ui, index, w);
    bind_focus(ui, index, w, {kEnSetFocus, kEnKillFocus});
}

void make_button(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    auto* w = new wxButton(ui.canvas(), wxID_ANY, to_wx(v.record.text), place(v.record), extent(v.record));
    adopt(v, w);
    w->SetForegroundColour(text_colour(ui));
    if (v.record.options && !v.record.options->empty()) w->SetToolTip(to_wx(*v.record.options));
    w->Bind(wxEVT_BUTTON, [&ui, index](wxCommandEvent&) { ui.notify(index, kBnClicked); });
}

// Radio and check box: a toggle button when push-like.
void make_mark(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    const ControlRecord& r = v.record;
    wxWindow* parent = ui.canvas();
    wxString label = to_wx(r.text);
    if (r.style & kBsPushLike) {
        auto* w = new wxToggleButton(parent, wxID_ANY, label, place(r), extent(r), (r.style & kBsFlat) ? wxBORDER_NONE : 0);
        adopt(v, w);
        w->Bind(wxEVT_TOGGLEBUTTON, [&ui, index](wxCommandEvent&) { clicked(ui, index); });
    } else if (r.kind == kRadio) {
        // Each radio button has a hidden partner that is checked when it is not.
        auto* off = new wxRadioButton(parent, wxID_ANY, wxEmptyString, place(r), wxSize(1, 1), wxRB_GROUP);
        off->Hide();
        off->SetValue(true);
        auto* w = new wxRadioButton(parent, wxID_ANY, label, place(r), extent(r));
        v.off = off;
        adopt(v, w);
        w->Bind(wxEVT_RADIOBUTTON, [&ui, index](wxCommandEvent&) { clicked(ui, index); });
        if (r.style & kBsLeftText) label_on_left(w);
    } else {
        auto* w = new wxCheckBox(parent, wxID_ANY, label, place(r), extent(r), (r.style & kBsLeftText) ? wxALIGN_RIGHT : 0);
        adopt(v, w);
        w->Bind(wxEVT_CHECKBOX, [&ui, index](wxCommandEvent&) { clicked(ui, index); });
    }
    v.window->SetForegroundColour(text_colour(ui));
    if (r.style & kBsMultiline) wrap_label(v.window);
    set_mark(ui, v, false);
}

// A simple combo box: an edit field above a list that is always shown.
void make_simple_combo(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    const ControlRecord& r = v.record;
    auto* entry = new wxTextCtrl(ui.canvas(), wxID_ANY, wxEmptyString, place(r), wxSize(extent(r).x, -1));
    int edit_height = std::min(entry->GetBestSize().y, extent(r).y);
    entry->SetSize(extent(r).x, edit_height);
    wxPoint below = place(r) + wxPoint(0, edit_height);
    wxListBox* list = make_list(ui, below, wxSize(extent(r).x, std::max(0, extent(r).y - edit_height)),
                                (r.style & kCbsDisableNoScroll) != 0);
    entry->ChangeValue(to_wx(r.text));
    adopt(v, entry);
    adopt(v, list);
    v.entry = entry;
    v.items = list;
    v.list = list;
    bind_typing(ui, index, entry);
    list->Bind(wxEVT_LISTBOX, [&ui, index](wxCommandEvent&) {
        ControlView& c = ui.views()[index];
        int sel = c.list ? c.list->GetSelection() : wxNOT_FOUND;
        if (sel != wxNOT_FOUND) {
            QuietChange quiet(ui);
            c.entry->ChangeValue(c.list->GetString(static_cast<unsigned>(sel)));
        }
        ui.notify(index, kCbnSelChange);
    });
    list->Bind(wxEVT_LISTBOX_DCLICK, [&ui, index](wxCommandEvent&) { ui.notify(index, kCbnDblClk); });
    bind_focus(ui, index, entry, {kCbnSetFocus, kCbnKillFocus});
    bind_focus(ui, index, list, {kCbnSetFocus, kCbnKillFocus});
}

// A drop-down: an edit field with a list that drops down, or a list only.
void make_dropdown(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    const ControlRecord& r = v.record;
    if ((r.style & kCbsTypeMask) == kCbsSimple) {
        make_simple_combo(ui, index);
        return;
    }
    bool list_only = (r.style & kCbsTypeMask) == kCbsDropDownList;
    auto* w = new wxComboBox(ui.canvas(), wxID_ANY, wxEmptyString, place(r), wxSize(extent(r).x, -1), 0, nullptr,
                             list_only ? wxCB_READONLY : wxCB_DROPDOWN);
    // The layout's height includes the dropped list.
    w->SetSize(extent(r).x, std::min(w->GetBestSize().y, std::max(extent(r).y, 1)));
    adopt(v, w);
    v.items = w;
    if (!list_only) {
        w->ChangeValue(to_wx(r.text));
        v.entry = w;
        bind_typing(ui, index, w);
    }
    w->Bind(wxEVT_COMBOBOX, [&ui, index](wxCommandEvent&) { ui.notify(index, kCbnSelChange); });
    w->Bind(wxEVT_COMBOBOX_DROPDOWN, [&ui, index, w](wxCommandEvent&) {
        ui.views()[index].dropped_selection = w->GetSelection();
        ui.notify(index, kCbnDropDown);
    });
    w->Bind(wxEVT_COMBOBOX_CLOSEUP, [&ui, index, w](wxCommandEvent&) {
        bool chosen = w->GetSelection() != ui.views()[index].dropped_selection;
        ui.notify(index, chosen ? kCbnSelEndOk : kCbnSelEndCancel);
        ui.notify(index, kCbnCloseUp);
    });
    bind_focus(ui, index, w, {kCbnSetFocus, kCbnKillFocus});
}

void make_listbox(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    const ControlRecord& r = v.record;
    wxListBox* w = make_list(ui, place(r), extent(r), (r.style & kLbsDisableNoScroll) != 0);
    adopt(v, w);
    v.items = w;
    v.list = w;
    v.text = r.text;
    w->Bind(wxEVT_LISTBOX, [&ui, index](wxCommandEvent&) { ui.notify(index, kLbnSelChange); });
    w->Bind(wxEVT_LISTBOX_DCLICK, [&ui, index](wxCommandEvent&) { ui.notify(index, kLbnDblClk); });
    bind_focus(ui, index, w, {kLbnSetFocus, kLbnKillFocus});
}

using Creator = void (*)(WxUi&, size_t);

constexpr Creator kCreators[kKindCount] = {
    make_static, make_edit, make_button, make_mark, make_mark,
    make_dropdown, make_listbox, make_dropdown, make_groupbox, nullptr,
};

}  // namespace

void set_mark(WxUi& ui, ControlView& v, bool on) {
    QuietChange quiet(ui);
    v.checked = on;
    if (!v.window) return;
    if (auto* t = dynamic_cast<wxToggleButton*>(v.window)) t->SetValue(on);
    else if (auto* c = dynamic_cast<wxCheckBox*>(v.window)) c->SetValue(on);
    else if (auto* r = dynamic_cast<wxRadioButton*>(v.window)) on ? r->SetValue(true) : v.off->SetValue(true);
}

void create_control(WxUi& ui, size_t index) {
    ControlView& v = ui.views()[index];
    if (v.record.kind >= kKindCount || !kCreators[v.record.kind]) return;
    QuietChange quiet(ui);
    kCreators[v.record.kind](ui, index);
}

}  // namespace dok
