#include "loader.hpp"

#include "ini_reader.hpp"
#include "language.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/profile.hpp"
#include "safe_format.hpp"

namespace dok {
namespace {

constexpr size_t kValueSize = 512;

// The lines of the INI file after a section header, read once for the whole load.
using Lines = std::vector<std::string_view>;

std::string layout_value(const Lines& layout, std::string_view key, std::string_view def = "") {
    return ini_value_among(layout, key, def, kValueSize);
}

bool has_place(std::string_view path) {
    return (platform::split_path(path).flags & (platform::kHasDrive | platform::kHasDirectory)) != 0;
}

// A bracket whose text is kept in the string pool.
std::optional<std::string> pooled_bracket(Dok& dok, LayoutCursor& c) {
    auto t = parse_bracket(c);
    if (!t || !dok.pool.take_text(*t)) return std::nullopt;
    return t;
}

bool read_window(Dok& dok, const Lines& layout) {
    std::string v = layout_value(layout, "window");
    if (v.empty()) return true;
    LayoutCursor c{v};
    auto title = pooled_bracket(dok, c);
    auto x = title ? parse_number(c) : std::nullopt;
    auto y = x ? parse_number(c) : std::nullopt;
    auto w = y ? parse_number(c) : std::nullopt;
    auto h = w ? parse_number(c) : std::nullopt;
    if (!h) return false;
    dok.window.title = *title;
    dok.window.x = static_cast<int32_t>(*x);
    dok.window.y = static_cast<int32_t>(*y);
    dok.window.width = *w;
    dok.window.height = *h;
    return true;
}

bool read_colour(const Lines& layout, std::string_view key, uint32_t& colour) {
    std::string v = layout_value(layout, key);
    if (v.empty()) return true;
    LayoutCursor c{v};
    auto r = parse_number(c);
    auto g = r ? parse_number(c) : std::nullopt;
    auto b = g ? parse_number(c) : std::nullopt;
    if (!b) return false;
    colour = (*r % 256) + (*g % 256) * 256 + (*b % 256) * 65536;
    return true;
}

std::string find_picture(Dok& dok, const Lines& layout, std::string_view key) {
    std::string v = layout_value(layout, key);
    if (v.empty()) return {};
    if (platform::is_regular_file(dok.file_path(v))) return dok.file_path(v);
    if (has_place(v)) return {};
    platform::PathParts ini_place = platform::split_path(dok.ini_path);
    std::string beside = dok.file_path(ini_place.drive + ini_place.directory + v);
    return platform::is_regular_file(beside) ? beside : std::string();
}

uint32_t option_style(uint16_t kind, std::string_view options, uint32_t& extra) {
    using namespace style;
    auto has = [&](char letter) { return options.find(letter) != std::string_view::npos; };
    uint32_t s = 0;
    switch (kind) {
        case kEdit:
            if (has('R')) s |= kEsReadOnly;
            if (has('N')) s |= kEsNumber;
            if (has('C')) s |= kEsCenter;
            if (has('U')) s |= kEsUppercase;
            if (has('L')) s |= kEsLowercase;
            if (has('M')) s |= kEsMultiline;
            break;
        case kRadio:
        case kCheck:
            if (has('F')) s |= kBsFlat;
            if (has('P')) s |= kBsPushLike;
            if (has('R')) s |= kBsLeftText;
            if (has('M')) s |= kBsMultiline;
            break;
        case kDropdown:
        case kCombobox:
            if (has('R')) s |= kCbsDropDownList;
            if (has('S')) s |= kCbsSort;
            if (has('U')) s |= kCbsUppercase;
            if (has('L')) s |= kCbsLowercase;
            if (has('N')) extra |= kExtraDigitsOnly;
            break;
        case kListbox:
            if (has('S')) s |= kLbsSort;
            break;
        default: break;
    }
    return s;
}

bool parse_control(Dok& dok, uint16_t kind, std::string_view value, ControlRecord& r) {
    LayoutCursor c{value};
    r.kind = kind;
    r.style = kControlKinds[kind].base_style;
    if (kind == kMenu) {
        auto text = pooled_bracket(dok, c);
        auto routine = text ? pooled_bracket(dok, c) : std::nullopt;
        if (!routine) return false;
        r.text = *text;
        r.routine = *routine;
        return true;
    }
    auto name = pooled_bracket(dok, c);
    auto text = name ? pooled_bracket(dok, c) : std::nullopt;
    auto x = text ? parse_number(c) : std::nullopt;
    auto y = x ? parse_number(c) : std::nullopt;
    auto w = y ? parse_number(c) : std::nullopt;
    auto h = w ? parse_number(c) : std::nullopt;
    if (!h) return false;
    r.name = *name;
    r.text = *text;
    r.x = *x;
    r.y = *y;
    r.width = *w;
    r.height = *h;
    if (kind == kStatic || kind == kGroupbox) return true;
    auto routine = pooled_bracket(dok, c);
    if (!routine) return false;
    r.routine = *routine;
    if (!c.at_end()) {
        auto options = pooled_bracket(dok, c);
        if (!options) return false;
        r.options = *options;
    }
    if (r.options && kind != kButton) {
        uint32_t s = option_style(kind, *r.options, r.extra);
        if (s & style::kCbsDropDownList && (kind == kDropdown || kind == kCombobox))
            r.style = (r.style & ~style::kCbsTypeMask) | style::kCbsDropDownList;
        r.style |= s;
    }
    if (r.options && (kind == kRadio || kind == kCheck) && r.options->find('A') != std::string::npos) {
        r.style &= ~style::kBsTypeMask;
        r.style |= kind == kRadio ? style::kBsAutoRadioButton : style::kBsAutoCheckBox;
    }
    return true;
}

void layout_error(Dok& dok, std::string_view key, std::string_view value) {
    std::string text =
        format_message(message_text(dok, "Interpreter", 4), {MessageArg::of(key), MessageArg::of(value)});
    dok.ui.message_box("Dok", text, BoxButtons::Ok, BoxIcon::Error, false);
}

// False after a layout error.
bool read_controls(Dok& dok, const Lines& layout) {
    for (uint16_t kind = 0; kind < kKindCount; ++kind) {
        const ControlKind& k = kControlKinds[kind];
        uint16_t position = 0;
        const Lines lines = ini_lines(layout, k.prefix);
        for (int n = 1; n <= k.max_count; ++n) {
            char key[24];
            std::snprintf(key, sizeof key, "%.*s%02d", static_cast<int>(k.prefix.size()), k.prefix.data(), n);
            std::string value = ini_value_among(lines, key, "", kValueSize);
            if (value.empty()) continue;
            ControlRecord r;
            if (!parse_control(dok, kind, value, r)) {
                layout_error(dok, key, value);
                dok.controls.records.clear();
                return false;
            }
            r.id = static_cast<uint16_t>(k.id_base + position++);
            dok.controls.records.push_back(std::move(r));
        }
    }
    return true;
}

bool read_variables(Dok& dok, const Lines& variables) {
    static const std::pair<const char*, VarKind> kKinds[] = {
        {"str", VarKind::String}, {"env", VarKind::Environment}, {"int", VarKind::Integer}, {"cla", VarKind::Argument}};
    for (const auto& [prefix, kind] : kKinds) {
        size_t limit = kMaxVariables - dok.variables.vars.size();
        const Lines lines = ini_lines(variables, prefix);
        for (size_t n = 1; n <= limit; ++n) {
            char key[16];
            std::snprintf(key, sizeof key, "%s%02zu", prefix, n);
            std::string value = ini_value_among(lines, key, "", kValueSize);
            if (value.empty()) continue;
            LayoutCursor c{value};
            auto name = pooled_bracket(dok, c);
            if (!name) return false;
            Variable v;
            v.name = *name;
            v.kind = kind;
            size_t storage = 1;
            if (kind == VarKind::String) {
                auto size = parse_number(c);
                if (!size) return false;
                v.size = *size;
                storage = static_cast<size_t>(*size) + 1;
            } else if (kind == VarKind::Integer) {
                storage = 5;
            } else if (kind == VarKind::Argument && n < dok.words.size()) {
                v.text = dok.words[n];
            }
            if (!dok.pool.take_storage(storage)) return false;
            dok.variables.vars.push_back(std::move(v));
        }
    }
    return true;
}

}  // namespace

std::string in_current_directory(std::string_view path) {
    if (has_place(path)) return std::string(path);
    return platform::current_directory() + "/" + std::string(path);
}

bool load_ini(Dok& dok) {
    const std::string ini = read_ini_text(dok.ini_path);
    const Lines layout = ini_lines(ini, "layout", "");
    std::string module = ini_value_in(ini, "config", "languagemodule", "", kValueSize);
    if (!module.empty()) dok.language_path = in_current_directory(module);
    if (!read_window(dok, layout)) return false;
    for (auto [key, flag] : {std::pair{"HasCaption", &dok.window.has_caption}, {"HasAbout", &dok.window.has_about},
                             {"HasMenu", &dok.window.has_menu}})
        if (parse_bool(layout_value(layout, key, "-1")) == 0) *flag = false;
    int32_t top = parse_bool(layout_value(layout, "AlwaysOnTop", "-1"));
    if (top != -1) dok.window.always_on_top = top != 0;
    dok.window.icon_path = find_picture(dok, layout, "icon");
    dok.window.bitmap_path = find_picture(dok, layout, "bitmap");
    if (!read_colour(layout, "bgcolor", dok.window.background) || !read_colour(layout, "fgcolor", dok.window.foreground))
        return false;
    int timer = platform::get_private_profile_int("layout", "timer", 0, dok.ini_path);
    dok.window.timer_ms = timer > 0 ? static_cast<uint32_t>(timer) : 0;
    if (!read_controls(dok, layout)) return true;
    return read_variables(dok, ini_lines(ini, "variables", ""));
}

}  // namespace dok
