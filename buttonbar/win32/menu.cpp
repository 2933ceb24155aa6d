// The menu bar: pop-ups started by "popup" records, separators, items, and
// the About item at the right end.
#include "platform/paths.hpp"
#include "win32/ui.hpp"

namespace dok {

void Win32Ui::build_menu() {
    HMENU bar = CreateMenu();
    if (!bar) return;
    HMENU current = bar;
    for (const ControlSlot& s : slots_) {
        const ControlRecord& r = s.record;
        if (r.kind != kMenu) continue;
        std::string routine = r.routine.value_or("");
        if (platform::equals_ignore_case(routine, "popup")) {
            HMENU popup = CreatePopupMenu();
            if (!popup) continue;
            AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), r.text.c_str());
            current = popup;
        } else if (platform::equals_ignore_case(routine, "separator")) {
            AppendMenuA(current, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(current, MF_STRING, r.id, r.text.c_str());
        }
    }
    if (layout_.has_about) AppendMenuA(bar, MF_STRING | MF_HELP, kAboutId, layout_.about_item.substr(0, 100).c_str());
    SetMenu(window_, bar);
}

}  // namespace dok
