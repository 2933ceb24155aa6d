#include "wx/message_box.hpp"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "wx/toolkit.hpp"

namespace dok {
namespace {

struct ButtonChoice {
    int answer;
    const char* label;
};

std::vector<ButtonChoice> buttons_of(BoxButtons set) {
    switch (set) {
        case BoxButtons::Ok: return {{kIdOk, "OK"}};
        case BoxButtons::YesNo: return {{kIdYes, "&Yes"}, {kIdNo, "&No"}};
        case BoxButtons::OkCancel: return {{kIdOk, "OK"}, {kIdCancel, "Cancel"}};
        case BoxButtons::YesNoCancel: return {{kIdYes, "&Yes"}, {kIdNo, "&No"}, {kIdCancel, "Cancel"}};
        case BoxButtons::RetryCancel: return {{kIdRetry, "&Retry"}, {kIdCancel, "Cancel"}};
        case BoxButtons::AbortRetryIgnore: return {{kIdAbort, "&Abort"}, {kIdRetry, "&Retry"}, {kIdIgnore, "&Ignore"}};
    }
    return {{kIdOk, "OK"}};
}

wxArtID art_of(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Error:
        case BoxIcon::Stop: return wxART_ERROR;
        case BoxIcon::Warning:
        case BoxIcon::Exclamation: return wxART_WARNING;
        case BoxIcon::Information: return wxART_INFORMATION;
        case BoxIcon::Question: return wxART_QUESTION;
        case BoxIcon::None: break;
    }
    return {};
}

// Boxes whose answers have neither OK nor Cancel cannot be closed otherwise.
long frame_style(const std::vector<ButtonChoice>& choices) {
    for (const ButtonChoice& b : choices)
        if (b.answer == kIdOk || b.answer == kIdCancel) return wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU;
    return wxCAPTION | wxSYSTEM_MENU;
}

}  // namespace

MessageDialog::MessageDialog(wxWindow* parent, std::string_view title, std::string_view text, BoxButtons set,
                             BoxIcon icon) {
    std::vector<ButtonChoice> choices = buttons_of(set);
    Create(parent, wxID_ANY, to_wx(title), wxDefaultPosition, wxDefaultSize, frame_style(choices));
    close_answer_ = kIdCancel;
    bool has_cancel = false, closable = (frame_style(choices) & wxCLOSE_BOX) != 0;
    for (const ButtonChoice& b : choices) has_cancel |= b.answer == kIdCancel;
    if (!has_cancel) close_answer_ = kIdOk;

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    wxArtID art = art_of(icon);
    if (!art.empty())
        body->Add(new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX)), 0,
                  wxALL | wxALIGN_TOP, 12);
    auto* label = new wxStaticText(this, wxID_ANY, wxEmptyString);
    label->SetLabelText(to_wx(text));  // shown as written, "&" included
    label->Wrap(480);
    body->Add(label, 1, wxALL | wxALIGN_CENTER_VERTICAL, 12);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    for (const ButtonChoice& b : choices) {
        auto* button = new wxButton(this, wxID_ANY, b.label);
        int answer = b.answer;
        button->Bind(wxEVT_BUTTON, [this, answer](wxCommandEvent&) { EndModal(answer); });
        row->Add(button, 0, wxLEFT | wxRIGHT, 4);
        buttons_.push_back({b.answer, button});
    }
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(body, 1, wxEXPAND);
    all->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM | wxLEFT | wxRIGHT, 10);
    SetSizerAndFit(all);
    CentreOnParent();
    SetEscapeId(wxID_NONE);
    buttons_.front().button->SetDefault();
    buttons_.front().button->SetFocus();

    Bind(wxEVT_CHAR_HOOK, [this, closable](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE && closable) EndModal(close_answer_);
        else e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this, closable](wxCloseEvent& e) {
        if (closable) EndModal(close_answer_);
        else if (e.CanVeto()) e.Veto();
    });
    Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
        painted_ = true;
        e.Skip();
    });
}

}  // namespace dok
