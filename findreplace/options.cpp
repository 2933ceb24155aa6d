#include "options.hpp"

#include <cctype>

namespace morfex {
namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool is_option(const std::string& arg) { return !arg.empty() && arg[0] == '-'; }

// -i and -o: the next argument unless it is an option itself.
void take_name(const std::vector<std::string>& args, size_t& i, std::string& name) {
    name.clear();
    if (i + 1 < args.size() && !is_option(args[i + 1])) name = upper(args[++i]);
}

// -f and -r: the next argument, whatever it looks like.
void take_string(const std::vector<std::string>& args, size_t& i, std::string& value) {
    value.clear();
    if (i + 1 < args.size()) value = translate_escapes(args[++i]);
}

}  // namespace

std::string translate_escapes(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            switch (value[i + 1]) {
                case 'n': c = '\n'; ++i; break;
                case 'r': c = '\r'; ++i; break;
                case 't': c = '\t'; ++i; break;
                case '\\': ++i; break;
                default: break;
            }
        }
        out += c;
    }
    return out;
}

Options parse_options(const std::vector<std::string>& args, std::ostream& out) {
    Options opt;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!is_option(arg)) continue;
        char letter = arg.size() > 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1]))) : '\0';
        switch (letter) {
            case 'i': take_name(args, i, opt.input_name); break;
            case 'o': take_name(args, i, opt.output_name); break;
            case 'f': take_string(args, i, opt.find); break;
            case 'r': take_string(args, i, opt.replace); break;
            case 'q': opt.quiet = true; break;
            case 'v': opt.verbose = true; break;
            default: out << "*** Optionerror <" << arg << ">\n"; break;
        }
    }
    return opt;
}

}  // namespace morfex
