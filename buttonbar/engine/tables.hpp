// The tables that loading fills: controls, variables and the string pool.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dok {

enum Kind : uint16_t {
    kStatic = 0, kEdit = 1, kButton = 2, kRadio = 3, kCheck = 4,
    kDropdown = 5, kListbox = 6, kCombobox = 7, kGroupbox = 8, kMenu = 9,
};
constexpr int kKindCount = 10;

// Window styles used by the kinds and their options.
namespace style {
constexpr uint32_t kChild = 0x40000000, kVisible = 0x10000000, kBorder = 0x00800000, kVScroll = 0x00200000,
                   kClipSiblings = 0x04000000, kTabStop = 0x00010000;
constexpr uint32_t kLeftNoWordWrap = 0xC;
constexpr uint32_t kEsNoHideSel = 0x100, kEsReadOnly = 0x800, kEsNumber = 0x2000, kEsCenter = 0x1,
                   kEsUppercase = 0x8, kEsLowercase = 0x10, kEsMultiline = 0x4;
constexpr uint32_t kBsPushButton = 0, kBsCheckBox = 2, kBsAutoCheckBox = 3, kBsRadioButton = 4, kBsGroupBox = 7,
                   kBsAutoRadioButton = 9, kBsTypeMask = 0xF, kBsFlat = 0x8000, kBsPushLike = 0x1000,
                   kBsLeftText = 0x20, kBsMultiline = 0x2000;
constexpr uint32_t kCbsSimple = 1, kCbsDropDown = 2, kCbsDropDownList = 3, kCbsTypeMask = 3, kCbsSort = 0x100,
                   kCbsHasStrings = 0x200, kCbsUppercase = 0x2000, kCbsLowercase = 0x4000,
                   kCbsDisableNoScroll = 0x800;
constexpr uint32_t kLbsNotify = 1, kLbsSort = 2, kLbsHasStrings = 0x40, kLbsDisableNoScroll = 0x1000;
constexpr uint32_t kExtraDigitsOnly = 0x2000;
}  // namespace style

struct ControlKind {
    std::string_view prefix;
    std::string_view window_class;
    int max_count;
    uint16_t id_base;
    uint32_t base_style;
};

extern const std::array<ControlKind, kKindCount> kControlKinds;

struct ControlRecord {
    std::string text;
    uint16_t id = 0;
    uint16_t kind = 0;
    uint32_t style = 0;
    uint32_t extra = 0;
    uint32_t x = 0, y = 0, width = 0, height = 0;
    std::string name;
    std::optional<std::string> options;  // tooltip for buttons
    std::optional<std::string> routine;

    std::string_view window_class() const { return kControlKinds[kind].window_class; }
    bool is_list() const { return kind == kDropdown || kind == kListbox || kind == kCombobox; }
};

constexpr size_t kMaxControls = 210;

struct ControlTable {
    std::vector<ControlRecord> records;  // kinds in table order

    // First record (menu items included) whose name equals name ignoring
    // case; the index, or nullopt.
    std::optional<size_t> find(std::string_view name) const;
    // Record of a command id, or nullopt.
    std::optional<size_t> find_id(int id) const;
};

enum class VarKind { String, Environment, Integer, Argument };

struct Variable {
    std::string name;
    VarKind kind = VarKind::String;
    uint32_t size = 0;     // declared size of a string variable
    std::string text;      // string value, or the argument word
    int32_t number = 0;    // integer value
};

constexpr size_t kMaxVariables = 40;

struct VariableTable {
    std::vector<Variable> vars;
    Variable* find(std::string_view name);
};

// The 8192-byte area that holds the loaded texts and variable storage. Only
// the bytes used are counted; texts are kept in their records.
struct StringPool {
    static constexpr size_t kSize = 8192;
    size_t used = 0;
    // Room for a text and its terminator.
    bool take_text(std::string_view text);
    // Storage that must stay below the end of the pool.
    bool take_storage(size_t bytes);
};

}  // namespace dok
