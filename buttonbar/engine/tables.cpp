#include "tables.hpp"

#include "platform/paths.hpp"

namespace dok {

using namespace style;

const std::array<ControlKind, kKindCount> kControlKinds = {{
    {"static", "static", 30, 1100, kChild | kVisible | kLeftNoWordWrap},
    {"edit", "edit", 30, 1200, kChild | kVisible | kBorder | kEsNoHideSel},
    {"button", "button", 30, 1300, kChild | kVisible | kClipSiblings | kTabStop | kBsPushButton},
    {"radio", "button", 30, 1400, kChild | kVisible | kBsRadioButton},
    {"check", "button", 30, 1500, kChild | kVisible | kBsCheckBox},
    {"dropdown", "combobox", 10, 1600, kChild | kVisible | kVScroll | kCbsDropDown},
    {"listbox", "listbox", 10, 1700,
     kChild | kVisible | kBorder | kVScroll | kLbsNotify | kLbsDisableNoScroll | kLbsHasStrings},
    {"combobox", "combobox", 10, 1800,
     kChild | kVisible | kBorder | kVScroll | kCbsSimple | kCbsHasStrings | kCbsDisableNoScroll},
    {"groupbox", "button", 10, 1000, kChild | kVisible | kBsGroupBox},
    {"menu", "menu", 20, 1900, 0},
}};

std::optional<size_t> ControlTable::find(std::string_view name) const {
    for (size_t i = 0; i < records.size(); ++i)
        if (platform::equals_ignore_case(records[i].name, name)) return i;
    return std::nullopt;
}

std::optional<size_t> ControlTable::find_id(int id) const {
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].id == id) return i;
    return std::nullopt;
}

Variable* VariableTable::find(std::string_view name) {
    for (Variable& v : vars)
        if (platform::equals_ignore_case(v.name, name)) return &v;
    return nullptr;
}

bool StringPool::take_text(std::string_view text) {
    if (text.size() + 1 > kSize - used) return false;
    used += text.size() + 1;
    return true;
}

bool StringPool::take_storage(size_t bytes) {
    if (bytes >= kSize - used) return false;
    used += bytes;
    return true;
}

}  // namespace dok
