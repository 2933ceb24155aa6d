#include "machine/ti99/key_script.hpp"

#include <cctype>
#include <optional>

#include "machine/ti99/key_map.hpp"

namespace scree {

namespace {

struct ModifierName {
    std::string_view prefix;
    uint8_t bit;
};
constexpr ModifierName kModifierNames[] = {{"SHIFT+", kModShift}, {"FCTN+", kModFctn}, {"CTRL+", kModCtrl}};

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool starts_with_name(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (upper(text[i]) != prefix[i]) return false;
    return true;
}

// "code 9", or "'x' (code 120)" when it is printable.
std::string describe_char(char c) {
    const unsigned code = static_cast<unsigned char>(c);
    const std::string number = "code " + std::to_string(code);
    return code > ' ' && code <= '~' ? std::string("'") + c + "' (" + number + ")" : number;
}

// Decimal digits up to kMaxKeyFrame; false for anything else.
bool read_count(std::string_view digits, uint64_t& value) {
    if (digits.empty() || digits.size() > 10) return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= kMaxKeyFrame;
}

std::string too_large() { return "frames and counts go up to " + std::to_string(kMaxKeyFrame); }

class Reader {
public:
    Reader(KeyScript& script, std::string& error) : script_(script), error_(error) {}

    bool text(std::string_view text);

private:
    bool character(char c, uint8_t extra_modifiers, std::string_view token);
    bool token(std::string_view body);
    bool key_token(std::string_view token, std::string_view key, KeyChord& chord);
    bool joystick_token(std::string_view token, std::string_view lines, KeyChord& chord);
    bool at_frame(std::string_view text, size_t& i);
    bool add(KeyChord chord);
    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    KeyScript& script_;
    std::string& error_;
};

bool Reader::add(KeyChord chord) {
    chord.frame = script_.next_frame;
    if (chord.frame > kMaxKeyFrame) return fail("the keys run past frame " + std::to_string(kMaxKeyFrame));
    script_.next_frame = chord.frame + chord.hold + kKeySpacingFrames;
    script_.chords.push_back(std::move(chord));
    return true;
}

// A character on its key, with modifiers added to its own.
bool Reader::character(char c, uint8_t extra_modifiers, std::string_view token) {
    const auto stroke = key_for_char(c);
    if (!stroke) {
        const std::string where = token.empty() ? "" : "{" + std::string(token) + "}: ";
        return fail(where + "the 99/4A keyboard has no key for the character " + describe_char(c));
    }
    KeyChord chord;
    chord.modifiers = static_cast<uint8_t>(stroke->modifiers | extra_modifiers);
    chord.keys.push_back(stroke->key);
    return add(std::move(chord));
}

// @N: the next key goes down at frame N.
bool Reader::at_frame(std::string_view text, size_t& i) {
    size_t end = i + 1;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    const std::string_view digits = text.substr(i + 1, end - i - 1);
    if (digits.empty()) return fail("@ needs a frame number, as in @120; type the character @ as {@}");
    uint64_t frame;
    if (!read_count(digits, frame)) return fail("@" + std::string(digits) + ": " + too_large());
    if (frame < script_.next_frame)
        return fail("@" + std::to_string(frame) + " is too early: the keys before it let the next key go down at frame " +
                    std::to_string(script_.next_frame) + " at the earliest");
    script_.next_frame = frame;
    i = end;
    return true;
}

bool Reader::text(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '{') {
            size_t close = i + 2 < text.size() && text[i + 2] == '}' ? i + 2 : text.find('}', i + 1);
            if (close == std::string_view::npos)
                return fail("{" + std::string(text.substr(i + 1)) + " has no closing }");
            if (!token(text.substr(i + 1, close - i - 1))) return false;
            i = close + 1;
        } else if (c == '}') {
            return fail("a } without its {: type the character } as {}}");
        } else if (c == '@') {
            if (!at_frame(text, i)) return false;
        } else {
            if (!character(c, 0, {})) return false;
            ++i;
        }
    }
    return true;
}

// The body of {...}: a character, a key with modifiers, a joystick, a wait,
// each perhaps with the frames it is held.
bool Reader::token(std::string_view body) {
    if (body.empty()) return fail("{} names no key: type the character } as {}}");
    if (body.size() == 1) return character(body[0], 0, body);
    std::string_view key = body;
    std::optional<uint64_t> count;
    const size_t blank = body.rfind(' ');
    if (blank != std::string_view::npos && blank > 0) {
        uint64_t n;
        if (!read_count(body.substr(blank + 1), n))
            return fail("{" + std::string(body) + "}: after the blank comes a number of frames (" + too_large() + ")");
        count = n;
        key = body.substr(0, blank);
    }
    if (starts_with_name(key, "WAIT") && key.size() == 4) {
        if (!count) return fail("{" + std::string(body) + "}: give the frames to wait, as in {WAIT 10}");
        script_.next_frame += *count;
        return true;
    }
    if (count && *count == 0) return fail("{" + std::string(body) + "}: a key is held 1 frame or more");
    KeyChord chord;
    if (count) chord.hold = *count;
    const bool stick = key.size() >= 3 && upper(key[0]) == 'J' && key[2] == ':';
    if (!(stick ? joystick_token(body, key, chord) : key_token(body, key, chord))) return false;
    return add(std::move(chord));
}

bool Reader::key_token(std::string_view token, std::string_view key, KeyChord& chord) {
    uint8_t modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName& m : kModifierNames) {
            if (key.size() > m.prefix.size() && starts_with_name(key, m.prefix)) {
                modifiers |= m.bit;
                key.remove_prefix(m.prefix.size());
                found = true;
            }
        }
    }
    std::optional<KeyStroke> stroke;
    if (key.size() == 1) {
        const char c = modifiers && std::isalpha(static_cast<unsigned char>(key[0]))
                           ? static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])))
                           : key[0];
        stroke = key_for_char(c);
        if (!stroke)
            return fail("{" + std::string(token) + "}: the 99/4A keyboard has no key for the character " +
                        describe_char(c));
    } else {
        stroke = key_for_name(key);
        if (!stroke)
            return fail("{" + std::string(token) + "}: no key is called " + std::string(key) + "; the names are " +
                        key_names() + ", and FCTN+, CTRL+, SHIFT+ before a key, J1: and J2: before joystick lines");
    }
    chord.modifiers = static_cast<uint8_t>(stroke->modifiers | modifiers);
    chord.keys.push_back(stroke->key);
    return true;
}

// J1:LINE+LINE...
bool Reader::joystick_token(std::string_view token, std::string_view lines, KeyChord& chord) {
    const unsigned stick = static_cast<unsigned>(lines[1] - '0');
    if (stick != 1 && stick != 2) return fail("{" + std::string(token) + "}: the joysticks are J1 and J2");
    lines.remove_prefix(3);
    while (true) {
        const size_t plus = lines.find('+');
        const std::string_view name = lines.substr(0, plus);
        const auto line = joystick_line(stick, name);
        if (!line)
            return fail("{" + std::string(token) + "}: a joystick line is UP, DOWN, LEFT, RIGHT or FIRE, not '" +
                        std::string(name) + "'");
        chord.keys.push_back(*line);
        if (plus == std::string_view::npos) return true;
        lines.remove_prefix(plus + 1);
    }
}

}  // namespace

bool parse_key_script(std::string_view text, KeyScript& script, std::string& error) {
    return Reader(script, error).text(text);
}

}  // namespace scree
