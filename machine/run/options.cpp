#include "machine/run/options.hpp"

#include <cctype>

namespace scree {

namespace {

constexpr uint64_t kMaxFrames = 1'000'000'000;

using Handler = bool (*)(const std::string& value, RunOptions& o, std::string& error);

struct OptionRule {
    const char* name;
    bool takes_value;
    Handler handle;
    // A second value follows in the next argument; the handler gets both
    // with a NUL between them (no argument can hold one).
    bool second_value = false;
};

bool set_entry(const std::string& v, RunOptions& o, std::string& error) {
    if (!v.empty() && v[0] == '>') {
        uint64_t address;
        if (!parse_number(v, 0xFFFF, address)) {
            error = "--entry " + v + ": an address is > and up to four hexadecimal digits";
            return false;
        }
        o.entry = static_cast<uint16_t>(address);
    } else if (v.empty()) {
        error = "--entry needs a DEF name or an address such as >A000";
        return false;
    } else {
        o.entry = v;
    }
    return true;
}

bool set_frames(const std::string& v, RunOptions& o, std::string& error) {
    if (!parse_number(v, kMaxFrames, o.frames)) {
        error = "--frames " + v + ": give a number of frames from 0 to 1000000000";
        return false;
    }
    return true;
}

bool set_dump(const std::string& v, RunOptions& o, std::string& error) {
    const size_t comma = v.find(',');
    uint64_t address = 0, length = 0;
    if (comma == std::string::npos || !parse_number(v.substr(0, comma), 0xFFFF, address) ||
        !parse_number(v.substr(comma + 1), 0x10000, length) || length == 0 || address + length > 0x10000) {
        error = "--dump " + v + ": give >ADDR,>LEN, such as >A000,>100, within >0000->FFFF";
        return false;
    }
    o.dumps.push_back({static_cast<uint16_t>(address), static_cast<uint32_t>(length)});
    return true;
}

bool set_trace(const std::string& v, RunOptions& o, std::string&) {
    o.trace_file = v;
    return true;
}
bool set_output(const std::string& v, RunOptions& o, std::string&) {
    o.output_file = v;
    return true;
}
bool set_keys(const std::string& v, RunOptions& o, std::string&) {
    o.keys += v;
    return true;
}
bool set_cart(const std::string& v, RunOptions& o, std::string&) {
    o.cart = v;
    return true;
}
bool set_cart_order(const std::string& v, RunOptions& o, std::string& error) {
    if (v != "inverted" && v != "normal") {
        error = "--cart-order " + v + ": give inverted (fell's .M and .M-) or normal (.M+)";
        return false;
    }
    o.cart_inverted = v == "inverted";
    return true;
}
// --png and --wav: a file written at the end of the run.
bool set_required_file(const char* option, const std::string& v, std::string& file, std::string& error) {
    if (v.empty()) {
        error = std::string(option) + " needs a file name";
        return false;
    }
    file = v;
    return true;
}
bool set_png(const std::string& v, RunOptions& o, std::string& error) {
    return set_required_file("--png", v, o.png_file, error);
}
bool set_png_every(const std::string& v, RunOptions& o, std::string& error) {
    const size_t nul = v.find('\0');
    const std::string count = v.substr(0, nul);
    if (!parse_number(count, kMaxFrames, o.png_every) || o.png_every == 0) {
        error = "--png-every " + count + ": give a number of frames from 1 to 1000000000, then a folder";
        return false;
    }
    o.png_folder = v.substr(nul + 1);
    if (o.png_folder.empty()) {
        error = "--png-every " + count + " needs a folder";
        return false;
    }
    return true;
}
bool set_wav(const std::string& v, RunOptions& o, std::string& error) {
    return set_required_file("--wav", v, o.wav_file, error);
}
bool set_disk(const std::string& v, RunOptions& o, std::string& error) {
    if (v.size() < 3 || v[0] < '1' || v[0] > '9' || v[1] != '=') {
        error = "--disk " + v + ": give N=FOLDER with N from 1 to 9, such as 1=out";
        return false;
    }
    std::string& folder = o.disks[static_cast<size_t>(v[0] - '1')];
    if (!folder.empty()) {
        error = std::string("--disk: DSK") + v[0] + " is mapped twice";
        return false;
    }
    folder = v.substr(2);
    return true;
}
bool set_printer(const std::string& v, RunOptions& o, std::string&) {
    o.printer_file = v;
    return true;
}
bool set_until_idle(const std::string&, RunOptions& o, std::string&) { return o.until_idle = true; }
bool set_screen(const std::string&, RunOptions& o, std::string&) { return o.screen = true; }
bool set_stats(const std::string&, RunOptions& o, std::string&) { return o.stats = true; }
bool set_disassemble(const std::string&, RunOptions& o, std::string&) { return o.disassemble = true; }
bool set_help(const std::string&, RunOptions& o, std::string&) { return o.help = true; }
bool set_version(const std::string&, RunOptions& o, std::string&) { return o.version = true; }

const OptionRule kOptions[] = {
    {"--entry", true, set_entry},       {"--frames", true, set_frames},
    {"--until-idle", false, set_until_idle}, {"--screen", false, set_screen},
    {"--stats", false, set_stats},      {"--trace", true, set_trace},
    {"--dump", true, set_dump},         {"--keys", true, set_keys},
    {"--output", true, set_output},     {"--disassemble", false, set_disassemble},
    {"--help", false, set_help},        {"--version", false, set_version},
    {"--cart", true, set_cart},         {"--cart-order", true, set_cart_order},
    {"--png", true, set_png},           {"--png-every", true, set_png_every, true},
    {"--wav", true, set_wav},
    {"--disk", true, set_disk},         {"--printer", true, set_printer},
};

const OptionRule* find_option(const std::string& name) {
    for (const OptionRule& rule : kOptions)
        if (name == rule.name) return &rule;
    return nullptr;
}

}  // namespace

bool parse_number(const std::string& text, uint64_t limit, uint64_t& value) {
    const bool hex = !text.empty() && text[0] == '>';
    const size_t first = hex ? 1 : 0;
    if (text.size() <= first || text.size() - first > 10) return false;
    value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (hex ? !std::isxdigit(c) : !std::isdigit(c)) return false;
        const unsigned digit = std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10;
        value = value * (hex ? 16 : 10) + digit;
    }
    return value <= limit;
}

bool parse_options(const std::vector<std::string>& args, RunOptions& o, std::string& error) {
    bool options_end = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_end || arg.size() < 2 || arg[0] != '-') {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_end = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRule* rule = find_option(name);
        if (!rule) {
            error = "unknown option " + name;
            return false;
        }
        std::string value;
        if (equals != std::string::npos) {
            if (!rule->takes_value) {
                error = name + " takes no value";
                return false;
            }
            value = arg.substr(equals + 1);
        } else if (rule->takes_value) {
            if (i + 1 == args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (rule->second_value) {
            if (i + 1 == args.size()) {
                error = name + " needs two values";
                return false;
            }
            value += '\0' + args[++i];
        }
        if (!rule->handle(value, o, error)) return false;
    }
    return true;
}

}  // namespace scree
