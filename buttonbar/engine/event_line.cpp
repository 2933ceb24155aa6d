#include "event_line.hpp"

#include "ini_reader.hpp"
#include "platform/paths.hpp"
#include "ui.hpp"

namespace dok {
namespace {

constexpr std::string_view kAnswers[] = {"", "OK", "CANCEL", "ABORT", "RETRY", "IGNORE", "YES", "NO"};

// Splits off the first blank-separated word; rest keeps what follows the
// blank after it.
std::string_view first_word(std::string_view& rest) {
    rest = trim_event_text(rest);
    size_t sp = rest.find_first_of(" \t");
    std::string_view word = rest.substr(0, sp);
    rest = sp == std::string_view::npos ? std::string_view() : rest.substr(sp + 1);
    return word;
}

}  // namespace

std::string_view trim_event_text(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

EventLine parse_event_line(std::string_view line) {
    static const std::pair<std::string_view, EventVerb> kVerbs[] = {
        {"timer", EventVerb::Timer}, {"close", EventVerb::Close},   {"menu", EventVerb::Menu},
        {"click", EventVerb::Click}, {"type", EventVerb::Type},     {"select", EventVerb::Select},
        {"dblclick", EventVerb::DblClick}, {"key", EventVerb::Key}};
    std::string_view rest = line;
    std::string_view verb = first_word(rest);
    EventLine e;
    for (const auto& [word, v] : kVerbs)
        if (platform::equals_ignore_case(verb, word)) e.verb = v;
    switch (e.verb) {
        case EventVerb::Menu:
        case EventVerb::Click: e.name = trim_event_text(rest); break;
        case EventVerb::Type:
        case EventVerb::Select:
        case EventVerb::DblClick:
        case EventVerb::Key:
            e.name = first_word(rest);
            e.rest = rest;
            break;
        default: break;
    }
    return e;
}

std::optional<int> parse_event_index(std::string_view s) {
    s = trim_event_text(s);
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return static_cast<int>(leading_unsigned(s));
}

int parse_box_answer(std::string_view line) {
    std::string_view answer = trim_event_text(line);
    for (int i = kIdOk; i <= kIdNo; ++i)
        if (platform::equals_ignore_case(answer, kAnswers[i])) return i;
    return kIdCancel;
}

std::string without_ampersands(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

bool equals_without_ampersands(std::string_view text, std::string_view wanted) {
    size_t at = 0;
    for (char c : text) {
        if (c == '&') continue;
        if (at == wanted.size() || !platform::equals_ignore_case({&c, 1}, wanted.substr(at, 1))) return false;
        ++at;
    }
    return at == wanted.size();
}

}  // namespace dok
