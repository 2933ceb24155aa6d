// The message box: the text, an icon and one of the six button sets.
#pragma once

#include <wx/dialog.h>

#include <string_view>
#include <vector>

#include "engine/ui.hpp"

class wxButton;

namespace dok {

class MessageDialog : public wxDialog {
public:
    MessageDialog(wxWindow* parent, std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon);

    struct Button {
        int answer;  // a BoxAnswer
        wxButton* button;
    };
    const std::vector<Button>& buttons() const { return buttons_; }
    bool painted() const { return painted_; }

    // Ends the box as if the user had given that answer.
    void answer(int id) { EndModal(id); }

    int serial = 0;  // counts the boxes of one window

private:
    std::vector<Button> buttons_;
    int close_answer_ = kIdCancel;  // of the close box and the Escape key
    bool painted_ = false;
};

}  // namespace dok
