#include "command_reader.hpp"

#include <cctype>

#include "cartridge_builder.hpp"
#include "link_message.hpp"
#include "link_state.hpp"
#include "object_loader.hpp"
#include "program_file.hpp"

namespace fell {

bool LinkerFileSource::read_line(std::string& line) { return file_.read_line(line, kMaxMessage + 1); }

bool PromptSource::read_line(std::string& line) {
    out_ << "ok>" << std::flush;
    line.clear();
    while (line.size() < kMaxMessage) {
        int c = in_.get();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\r' && in_.peek() == '\n') continue;
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

namespace {

// The text from column n (counted from 0) on.
std::string_view from(std::string_view line, size_t n) { return n < line.size() ? line.substr(n) : std::string_view(); }

std::string_view without_line_end(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

// .M and .P take an optional sign right after the letter.
char sign_of(std::string_view line) {
    char c = line.size() > 2 ? line[2] : '\0';
    return c == '+' || c == '-' ? c : '\0';
}

void command_origin(LinkState& s, std::string_view line) {
    std::string_view text = from(line, 3);
    if (std::optional<uint16_t> v = parse_origin(text))
        s.origin = *v;
    else
        link_message(s, "*** Invalid address <%s>\n", std::string(without_line_end(text)).c_str());
}

void command_header(LinkState& s, std::string_view line) {
    char c = line.size() > 2 ? line[2] : '\0';
    if (c == '-') s.program_header = false;
    if (c == '+') s.program_header = true;
}

void command_ignore(LinkState& s, std::string_view line) {
    if (line.size() > 2 && line[2] == '6') s.ignore_short_read = true;
}

void command_geneve(LinkState& s, std::string_view) {
    s.geneve_header = true;
    s.origin = 0x0400;
}

void command_cartridge(LinkState& s, std::string_view line) {
    char sign = sign_of(line);
    s.cartridge_inverted = sign != '+';
    cartridge_command(s, from(line, sign ? 3 : 2));
}

void command_program(LinkState& s, std::string_view line) {
    char sign = sign_of(line);
    load_program_command(s, from(line, sign ? 3 : 2), sign == '+');
}

using Handler = void (*)(LinkState&, std::string_view line);

struct Command {
    char letter;
    Handler run;
};

const Command kCommands[] = {
    {'A', [](LinkState& s, std::string_view line) { define_name(s, from(line, 2)); }},
    {'D', [](LinkState& s, std::string_view line) { delete_name(s, from(line, 2)); }},
    {'G', command_geneve},
    {'H', command_header},
    {'I', command_ignore},
    {'L', [](LinkState& s, std::string_view line) { load_command(s, from(line, 2)); }},
    {'M', command_cartridge},
    {'N', [](LinkState& s, std::string_view line) { names_command(s, from(line, 2)); }},
    {'O', command_origin},
    {'P', command_program},
    {'R', [](LinkState& s, std::string_view) { display_table(s); }},
    {'S', [](LinkState& s, std::string_view line) { save_command(s, from(line, 2)); }},
    {'T', [](LinkState& s, std::string_view) { s.v9t9_on_save = true; }},
    {'V', [](LinkState& s, std::string_view) { s.verbose = true; }},
};

void run_command(LinkState& s, std::string_view line) {
    if (line.size() < 2) {
        link_message(s, "*** Unknown command <>\n");
        return;
    }
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(line[1])));
    for (const Command& c : kCommands) {
        if (c.letter == letter) {
            c.run(s, line);
            return;
        }
    }
    link_message(s, "*** Unknown command <%c>\n", line[1]);
}

std::optional<uint16_t> parse_hex4(std::string_view text) {
    unsigned v = 0;
    size_t n = 0;
    for (int d; n < 4 && n < text.size() && (d = hex_value(text[n])) >= 0; ++n) v = v << 4 | static_cast<unsigned>(d);
    if (n == 0) return std::nullopt;
    return static_cast<uint16_t>(v);
}

}  // namespace

std::optional<uint16_t> parse_origin(std::string_view text) {
    if (!text.empty() && text[0] == '>') return parse_hex4(text.substr(1));
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return parse_hex4(text.substr(2));
    size_t i = 0;
    while (i < text.size() && is_white(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    unsigned v = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        v = (v * 10 + static_cast<unsigned>(text[i++] - '0')) & 0xFFFF;
    return static_cast<uint16_t>(negative ? 0x10000 - v : v);
}

void run_line(LinkState& s, std::string line) {
    // The line ends at a NUL, as a C string does.
    line.resize(std::char_traits<char>::length(line.c_str()));
    if (line.empty()) return;
    switch (line[0]) {
    case '.':
        run_command(s, line);
        return;
    case ';':
    case '*':
        return;
    default:
        if (line == "?\n" || line == "?") {
            s.con.out << kUsage;
            return;
        }
        link_message(s, "*** Unknown command <%2.2s>\n", std::string(without_line_end(line)).c_str());
    }
}

void run_commands(LinkState& s, LineSource& source) {
    std::string line;
    while (!s.fatal && source.read_line(line)) run_line(s, line);
}

}  // namespace fell
