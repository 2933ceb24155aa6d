#include "events.hpp"

#include "ini_reader.hpp"
#include "interpreter.hpp"
#include "language.hpp"

namespace dok {
namespace {

constexpr EventEntry kEditEvents[] = {{256, "SETFOCUS"}, {512, "KILLFOCUS"}, {768, "EDITCHANGE"}, {0, {}}};
constexpr EventEntry kDropdownEvents[] = {
    {1, "SELCHANGE"},  {2, "DBLCLK"},   {3, "SETFOCUS"},  {4, "KILLFOCUS"},     {5, "EDITCHANGE"},
    {6, "EDITUPDATE"}, {7, "DROPDOWN"}, {8, "CLOSEUP"},   {9, "SELECTOK"},      {10, "SELECTCANCEL"},
    {0, {}}};
constexpr EventEntry kListboxDblClk = {2, "DBLCLK"};

template <size_t N>
const EventEntry* lookup(const EventEntry (&table)[N], int code) {
    for (const EventEntry& e : table)
        if (e.code == code || e.name.empty()) return &e;
    return &table[N - 1];
}

}  // namespace

bool reports_key(const ControlRecord& r, int key) {
    bool drop_list = (r.style & style::kCbsTypeMask) == style::kCbsDropDownList;
    switch (r.kind) {
        case kEdit: return key == kVkTab || key == kVkReturn;
        case kButton:
        case kRadio:
        case kCheck: return key == kVkTab;
        case kDropdown: return key == kVkTab || key == kVkReturn;
        case kCombobox:
            return (r.extra & style::kExtraDigitsOnly) && !drop_list && (key == kVkTab || key == kVkReturn);
        default: return false;
    }
}

bool digits_only(const ControlRecord& r) {
    bool drop_list = (r.style & style::kCbsTypeMask) == style::kCbsDropDownList;
    if (r.kind == kEdit) return (r.style & style::kEsNumber) != 0;
    if (r.kind == kDropdown || r.kind == kCombobox) return (r.extra & style::kExtraDigitsOnly) && !drop_list;
    return false;
}

std::string about_text(const Dok& dok) {
    std::string text = "Dok: a button bar\n\nVersie 2.4h 20100825\n\n\n";
    std::string extra = read_ini_value("layout", "About", "", 1024, dok.ini_path);
    for (size_t i = 0; i < extra.size(); ++i) {
        if (extra[i] != '\\') {
            text += extra[i];
        } else if (++i < extra.size()) {
            text += extra[i] == 'n' ? '\n' : extra[i] == 't' ? '\t' : extra[i];
        }
    }
    if (text.size() > 1023) text.resize(1023);
    return text;
}

void EngineEvents::on_command(int id, int code) {
    if (id == kAboutId) {
        dok_.ui.message_box(dok_.instance_key, about_text(dok_), BoxButtons::Ok, BoxIcon::Information, true);
        return;
    }
    auto index = dok_.controls.find_id(id);
    if (!index) return;
    const ControlRecord& r = dok_.controls.records[*index];
    std::string routine = r.routine.value_or("");
    int control = static_cast<int>(*index);
    switch (r.kind) {
        case kButton:
        case kRadio:
        case kCheck:
            if (code == kBnClicked) run_routine(dok_, routine);
            break;
        case kEdit: run_routine(dok_, routine, lookup(kEditEvents, code), control); break;
        case kDropdown:
        case kCombobox: run_routine(dok_, routine, lookup(kDropdownEvents, code), control); break;
        case kListbox:
            if (code == kLbnDblClk) run_routine(dok_, routine, &kListboxDblClk, control);
            break;
        case kMenu: run_routine(dok_, routine); break;
        default: break;
    }
}

void EngineEvents::on_key(size_t control, int key) {
    if (control >= dok_.controls.records.size()) return;
    const ControlRecord& r = dok_.controls.records[control];
    if (!reports_key(r, key)) return;
    dok_.object = r.name.substr(0, 20);
    dok_.lastkey = key;
    run_routine(dok_, "onkey");
}

void EngineEvents::on_timer() { run_routine(dok_, "ontime"); }

void EngineEvents::on_destroy() { run_routine(dok_, "onexit"); }

bool EngineEvents::close_allowed() { return !dok_.waiting_for_child; }

void EngineEvents::on_idle() {
    if (instance_ && instance_->activation_requested()) dok_.ui.bring_to_front();
}

}  // namespace dok
