// The lines of the event protocol that the headless window reads from its
// input and the windowed one from DOK_EVENTS:
//   click <control>, type <control> <text>, select <control> <index>,
//   dblclick <control> <index>, key <control> tab|enter, menu <item text>,
//   timer, close;
// and the answers to message boxes (OK, CANCEL, ABORT, RETRY, IGNORE, YES, NO).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dok {

enum class EventVerb { None, Timer, Close, Menu, Click, Type, Select, DblClick, Key };

struct EventLine {
    EventVerb verb = EventVerb::None;
    std::string name;  // the control, or the menu item's text
    std::string rest;  // typed text, item index or key name
};

EventLine parse_event_line(std::string_view line);

// An item index: decimal digits only, at most nine.
std::optional<int> parse_event_index(std::string_view text);

// The answer named by a line (a BoxAnswer); kIdCancel for anything else.
int parse_box_answer(std::string_view line);

// The line without blanks and tabs around it (and without a final CR).
std::string_view trim_event_text(std::string_view s);

std::string without_ampersands(std::string_view s);

// Whether text without its ampersands equals wanted, ignoring case.
bool equals_without_ampersands(std::string_view text, std::string_view wanted);

}  // namespace dok
